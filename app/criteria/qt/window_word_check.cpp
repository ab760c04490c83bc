#include "criteria/qt/window_word_check.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <algorithm>

#include "criteria/qt/option_controls.h"
#include "window/qt/main_window.h"
#include "window/qt/criteria_view.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WindowWordCheck::WindowWordCheck(MainWindow& window, Services& services)
    : window_(window), services_(services) {
    for (QLineEdit* word : window_.criteria().searchText) word->installEventFilter(this);
}

bool WindowWordCheck::check() {
    if (checking_) return false;
    // This check covers whatever a focus loss just before it asked for.
    focusCheckQueued_ = false;
    checking_ = true;
    SearchWords words = readSearchWords(window_);
    const bool pass = inputValidate(words, warnings_, *this);
    writeSearchWords(window_, words);
    checking_ = false;
    return pass;
}

bool WindowWordCheck::checkBeforeStart() {
    if (allWordsEmpty(readSearchWords(window_))) {
        focusCheckQueued_ = false;
        services_.boxes.show(fromView(textMissingText), fromView(textMissingTitle),
                             MessageIcon::CriticalStop, MessageButtons::Ok);
        focusWord(0);
        return false;
    }
    return check();
}

void WindowWordCheck::refuse(int, std::string_view text, std::string_view title) {
    services_.boxes.show(fromView(text), fromView(title), MessageIcon::CriticalStop,
                         MessageButtons::Ok);
}

void WindowWordCheck::focusWord(int wordIndex) {
    const bool wasChecking = checking_;
    checking_ = true;  // moving the focus here is not the person leaving a box
    window_.criteria().searchText[static_cast<std::size_t>(std::clamp(wordIndex, 0, 3))]->setFocus(
        Qt::OtherFocusReason);
    checking_ = wasChecking;
}

bool WindowWordCheck::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !checking_ && !focusCheckQueued_) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another program or opening a box's context menu does
        // not leave the box.
        const bool leftTheBox =
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        const bool wordBox = std::find(window_.criteria().searchText.begin(), window_.criteria().searchText.end(),
                                       watched) != window_.criteria().searchText.end();
        if (wordBox && leftTheBox && wordsInUse()) {
            // The check runs once the focus has settled where the person put
            // it, not from inside the focus change: its message box is modal.
            focusCheckQueued_ = true;
            QMetaObject::invokeMethod(this, &WindowWordCheck::checkAfterFocusLoss,
                                      Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowWordCheck::checkAfterFocusLoss() {
    if (!focusCheckQueued_) return;
    focusCheckQueued_ = false;
    if (wordsInUse()) check();
}

// The program took the boxes away from under the focus (a run started and
// hid them, the options panel opened and disabled them): the person did not
// leave a box. A check then would refuse a word over the results, and its
// focus could not go back into the box.
bool WindowWordCheck::wordsInUse() const {
    return std::all_of(window_.criteria().searchText.begin(), window_.criteria().searchText.end(),
                       [](const QLineEdit* word) { return word->isVisible() && word->isEnabled(); });
}

}  // namespace tessaly
