#include "platform/qt/operation_error_report.h"

namespace tessaly {

ErrorReportAction reportOperationError(MessageBoxes& boxes, int errorCode, ErrorTable table,
                                       IgnoreAction ignore) {
    const auto text = operationErrorText(table, errorCode);
    if (!text) return ErrorReportAction::Leave;
    const std::string message = operationErrorMessage(*text, errorCode);
    const MessageAnswer answer =
        boxes.show(QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                   QString::fromUtf8(kOperationErrorTitle.data(),
                                     static_cast<qsizetype>(kOperationErrorTitle.size())),
                   MessageIcon::CriticalStop, MessageButtons::AbortRetryIgnore);
    switch (answer) {
    case MessageAnswer::Retry:
        return ErrorReportAction::Retry;
    case MessageAnswer::Ignore:
        return ignore == IgnoreAction::CloseWindow ? ErrorReportAction::CloseWindow
                                                   : ErrorReportAction::Leave;
    default:
        return ErrorReportAction::EndProgram;
    }
}

GuardedResult runGuarded(MessageBoxes& boxes, ErrorTable table, IgnoreAction ignore,
                         const std::function<Failure()>& step) {
    for (;;) {
        const Failure failure = step();
        if (!failure) return GuardedResult::Done;
        switch (reportOperationError(boxes, failure.code, table, ignore)) {
        case ErrorReportAction::Retry:
            continue;
        case ErrorReportAction::Leave:
            return GuardedResult::Left;
        case ErrorReportAction::CloseWindow:
            return GuardedResult::CloseWindow;
        case ErrorReportAction::EndProgram:
            return GuardedResult::EndProgram;
        }
    }
}

}  // namespace tessaly
