// Modal message boxes: every sentence the program says to the person goes
// through here, so that tests can answer it by script and check what was said.
#pragma once

#include <QString>
#include <QStringList>

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

// The answer that does the least: OK, No for a question, Ignore for an error
// report (Abort would end the program without saving). Escape gives it, and
// so does a box closed any other way.
inline MessageAnswer leastDoingAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::AbortRetryIgnore: return MessageAnswer::Ignore;
    case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows the box modally and waits for the answer. The text and title are
    // shown exactly as given: users quote them, slips included.
    virtual MessageAnswer show(const QString& text, const QString& title, MessageIcon icon,
                               MessageButtons buttons) = 0;
    // A question whose answers are the program's own words ("Open Folder"),
    // with Cancel beside them, which Escape and any other way of closing the
    // box also give. Returns the index of the choice, or -1 for Cancel.
    virtual int choose(const QString& text, const QString& title, MessageIcon icon,
                       const QStringList& choices) = 0;
};

}  // namespace tessaly
