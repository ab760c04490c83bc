// The word check on the window's word boxes: the boxes are rewritten, the
// refusals are asked by script, and the focus goes where the person must fix
// a word.
#include "criteria/qt/window_word_check.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "criteria/qt/option_controls.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window_fixture.h"

namespace tessaly {
namespace {

using test::WindowFixture;

const QString singleLetter = QStringLiteral("Search of single letter is invalid!");
const QString wildcard =
    QStringLiteral("Only single word with wild card * at beginning or end is supported!");
const QString invalidSingleLetter = QStringLiteral("Invalid Single Letter");

class WindowWordCheckTest : public ::testing::Test {
protected:
    std::vector<QString> askedTexts() const {
        std::vector<QString> texts;
        for (const test::AskedBox& box : fixture.boxes.asked()) {
            EXPECT_EQ(box.icon, MessageIcon::CriticalStop);
            EXPECT_EQ(box.buttons, MessageButtons::Ok);
            texts.push_back(box.title + QStringLiteral(": ") + box.text);
        }
        return texts;
    }

    void showActive() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    WindowWordCheck wordCheck{window, fixture.services};
};

TEST_F(WindowWordCheckTest, SingleLetterIsClearedAndFocusedAndTheCheckGoesOn) {
    writeSearchWords(window, {" word ", "  a  ", "b*", "  "});
    EXPECT_TRUE(wordCheck.check());
    EXPECT_EQ(readSearchWords(window), (SearchWords{"word", "", "b*", ""}));
    EXPECT_EQ(askedTexts(), std::vector<QString>{invalidSingleLetter + ": " + singleLetter});
    EXPECT_EQ(window.focusWidget(), window.criteria().searchText[1]);
}

TEST_F(WindowWordCheckTest, MisplacedStarIsRefusedThenLetThroughThenRefusedAgain) {
    writeSearchWords(window, {" ab*cd ", "  b  ", "", ""});
    window.criteria().searchText[3]->setFocus();

    EXPECT_FALSE(wordCheck.check());
    EXPECT_EQ(readSearchWords(window), (SearchWords{"ab*cd", "  b  ", "", ""}))
        << "the check stops at word 1; word 2 keeps its blanks";
    EXPECT_EQ(askedTexts(), std::vector<QString>{invalidSingleLetter + ": " + wildcard});
    EXPECT_EQ(window.focusWidget(), window.criteria().searchText[0]);

    EXPECT_TRUE(wordCheck.check()) << "the person insisted";
    EXPECT_EQ(readSearchWords(window), (SearchWords{"ab*cd", "", "", ""}));
    EXPECT_EQ(askedTexts().back(), invalidSingleLetter + ": " + singleLetter);

    EXPECT_FALSE(wordCheck.check());
    EXPECT_EQ(askedTexts().size(), 3u);
    EXPECT_EQ(askedTexts().back(), invalidSingleLetter + ": " + wildcard);
}

TEST_F(WindowWordCheckTest, StartRefusesFourEmptyBoxesOnly) {
    const struct {
        const char* name;
        SearchWords words;
        bool starts;
        SearchWords after;
        std::vector<QString> asked;
        int focused;
    } cases[] = {
        {"four empty boxes",
         {"", "", "", ""},
         false,
         {"", "", "", ""},
         {QStringLiteral("Text Missing: You must specify the text you want to search!")},
         0},
        {"blanks are text until the check empties them",
         {" ", "", "  ", ""},
         true,
         {"", "", "", ""},
         {},
         3},
        {"one word", {"", "", "", " word"}, true, {"", "", "", "word"}, {}, 3},
        {"a star refused",
         {"", "*a*", "", ""},
         false,
         {"", "*a*", "", ""},
         {invalidSingleLetter + ": " + wildcard},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fixture.boxes = {};
        writeSearchWords(window, c.words);
        window.criteria().searchText[3]->setFocus();
        EXPECT_EQ(wordCheck.checkBeforeStart(), c.starts);
        EXPECT_EQ(readSearchWords(window), c.after);
        EXPECT_EQ(askedTexts(), c.asked);
        EXPECT_EQ(window.focusWidget(), window.criteria().searchText[c.focused]);
    }
}

TEST_F(WindowWordCheckTest, LeavingAWordBoxChecksOnce) {
    showActive();
    writeSearchWords(window, {"a", "", "", ""});
    window.criteria().searchText[0]->setFocus(Qt::MouseFocusReason);
    window.criteria().searchText[2]->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(askedTexts(), std::vector<QString>{invalidSingleLetter + ": " + singleLetter});
    EXPECT_EQ(readSearchWords(window)[0], "");
    EXPECT_EQ(QApplication::focusWidget(), window.criteria().searchText[0]);
    // The focus that the check moved into word 1 was not the person leaving
    // word 3, and nothing is left waiting.
    QApplication::processEvents();
    EXPECT_EQ(fixture.boxes.asked().size(), 1u);

    // The check re-arms: the next time the person leaves a box, it runs again.
    writeSearchWords(window, {"", "x", "", ""});
    window.criteria().searchText[1]->setFocus(Qt::TabFocusReason);
    window.criteria().searchText[3]->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(fixture.boxes.asked().size(), 2u);
    EXPECT_EQ(QApplication::focusWidget(), window.criteria().searchText[1]);
}

TEST_F(WindowWordCheckTest, StartRightAfterLeavingABoxChecksOnce) {
    showActive();
    writeSearchWords(window, {"ab*cd", "", "", ""});
    window.criteria().searchText[0]->setFocus(Qt::MouseFocusReason);
    window.commands().searchNow->setFocus(Qt::MouseFocusReason);  // the press on Start
    EXPECT_FALSE(wordCheck.checkBeforeStart());        // its click, before the queue runs
    QApplication::processEvents();
    EXPECT_EQ(askedTexts(), std::vector<QString>{invalidSingleLetter + ": " + wildcard});
    // A second check would have used up the pass the person gets by insisting.
    EXPECT_TRUE(wordCheck.checkBeforeStart());
}

TEST_F(WindowWordCheckTest, ContextMenuOrAnotherProgramDoesNotLeaveTheBox) {
    showActive();
    writeSearchWords(window, {"a", "", "", ""});
    window.criteria().searchText[0]->setFocus(Qt::MouseFocusReason);
    for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent focusOut(QEvent::FocusOut, reason);
        QApplication::sendEvent(window.criteria().searchText[0], &focusOut);
    }
    QApplication::processEvents();
    EXPECT_TRUE(fixture.boxes.asked().empty());
}

}  // namespace
}  // namespace tessaly
