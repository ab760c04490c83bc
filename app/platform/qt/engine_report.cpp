#include "platform/qt/engine_report.h"

#include <string>

#include "platform/engine_access.h"
#include "platform/error_tables.h"
#include "platform/qt/message_boxes.h"
#include "platform/qt/program_end.h"

namespace tessaly {

const EngineCalls* engineOrReport(EngineAccess& access, MessageBoxes& boxes, ProgramEnd& end) {
    for (;;) {
        Failure failure;
        if (const EngineCalls* engine = access.engine(failure)) return engine;
        // The loader's own reason (a missing file, a broken one) says what to mend.
        std::string text(runErrorRule(code::libraryNotLoadable).text);
        if (!failure.path.empty()) text += " " + failure.path;
        const std::string message = operationErrorMessage(text, code::libraryNotLoadable);
        const MessageAnswer answer = boxes.show(
            QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
            QString::fromUtf8(kOperationErrorTitle.data(), static_cast<qsizetype>(kOperationErrorTitle.size())),
            MessageIcon::CriticalStop, MessageButtons::AbortRetryIgnore);
        if (answer == MessageAnswer::Retry) continue;
        if (answer != MessageAnswer::Ignore) end.endNow();
        return nullptr;
    }
}

}  // namespace tessaly
