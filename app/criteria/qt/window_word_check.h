// The word check on the main window: the four word boxes are checked before a
// search starts and whenever one of them loses the focus. The rules live in
// inputValidate; this class reads and writes the boxes, shows the refusals
// and puts the focus where the person has to correct a word.
#pragma once

#include <QObject>
#include <string_view>

#include "criteria/word_check.h"

namespace tessaly {

class MainWindow;
struct Services;

class WindowWordCheck : public QObject, public CriteriaMessages {
    Q_OBJECT

public:
    // Watches the four word boxes for the focus leaving them. The window must
    // outlive the check.
    WindowWordCheck(MainWindow& window, Services& services);

    // Checks and tidies the words in their boxes; true when a search may start.
    bool check();
    // Start's check: four empty boxes are refused ("Text Missing"), anything
    // else goes through check().
    bool checkBeforeStart();

    void refuse(int wordIndex, std::string_view text, std::string_view title) override;
    void focusWord(int wordIndex) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkAfterFocusLoss();
    bool wordsInUse() const;

    MainWindow& window_;
    Services& services_;
    // Which wildcard warnings were shown already: each is shown once per session.
    WildcardWarnings warnings_;
    // A refusal's message box and the focus it moves take the focus from a
    // word box again; that must not start a second check inside the first.
    bool checking_ = false;
    bool focusCheckQueued_ = false;
};

}  // namespace tessaly
