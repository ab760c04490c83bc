#include "window/qt/data_file_guard.h"

#include <QString>
#include <cctype>

#include "platform/error_tables.h"
#include "window/qt/services.h"

namespace tessaly {

std::string fileFailureMessage(const Failure& failure) {
    std::string text = failure.describe();
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

std::string dataFileFailureMessage(const Failure& failure) {
    if (const auto text = operationErrorText(ErrorTable::Saving, failure.code))
        return operationErrorMessage(*text, failure.code) + "\n" + failure.path;
    return fileFailureMessage(failure);
}

bool guardDataFile(Services& services, const std::function<Failure()>& step) {
    return guardFileStep(services, step, dataFileFailureMessage);
}

bool guardFileStep(Services& services, const std::function<Failure()>& step,
                   const std::function<std::string(const Failure&)>& describe) {
    for (;;) {
        const Failure failure = step();
        if (!failure) return true;
        const std::string message = describe(failure);
        const MessageAnswer answer = services.boxes.show(
            QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
            QString::fromUtf8(kOperationErrorTitle.data(),
                              static_cast<qsizetype>(kOperationErrorTitle.size())),
            MessageIcon::CriticalStop, MessageButtons::AbortRetryIgnore);
        switch (answer) {
        case MessageAnswer::Retry:
            continue;
        case MessageAnswer::Ignore:
            return false;
        default:
            services.end.endNow();
            return false;
        }
    }
}

}  // namespace tessaly
