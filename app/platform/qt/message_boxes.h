// Modal message boxes: every sentence the program says to the person goes
// through here, so that tests can answer it by script and check what was said.
#pragma once

#include <QString>

namespace tessaly {

enum class MessageIcon {
    CriticalStop,  // refusals and failures
    Exclamation,   // questions
    Information,
};

enum class MessageButtons {
    Ok,
    YesNo,
    AbortRetryIgnore,
};

enum class MessageAnswer {
    Ok,
    Yes,
    No,
    Abort,
    Retry,
    Ignore,
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows the box modally and waits for the answer. The text and title are
    // shown exactly as given: users quote them, slips included.
    virtual MessageAnswer show(const QString& text, const QString& title, MessageIcon icon,
                               MessageButtons buttons) = 0;
};

}  // namespace tessaly
