#include "platform/qt/marked_text_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QElapsedTimer>
#include <QTest>
#include <string>

namespace tessaly {
namespace {

TEST(MarkedTextView, KeysAndClicksMoveTheCaretOverTheLinesAsShown) {
    MarkedTextView view;
    view.resize(300, 200);
    view.show();
    // The text comes in two parts, the second line cut between them.
    const std::u16string text = u"first\nsecond line\nthird";
    view.showText(std::u16string_view(text).substr(0, 9));
    view.showText(text);
    view.addMarks({{6, 6}});
    EXPECT_TRUE(view.isMarked(6));
    EXPECT_TRUE(view.isMarked(11));
    EXPECT_FALSE(view.isMarked(12));

    const struct {
        const char* name;
        QKeyCombination key;
        int caret;
        const char* selected;
    } steps[] = {
        {"down keeps the column", Qt::Key_Down, 6, ""},
        {"end of the line", Qt::Key_End, 17, ""},
        {"down to a shorter line stops at its end", Qt::Key_Down, 23, ""},
        {"shift home selects the line", Qt::ShiftModifier | Qt::Key_Home, 18, "third"},
        {"shift up widens it", Qt::ShiftModifier | Qt::Key_Up, 6, "second line\nthird"},
        {"left drops it", Qt::Key_Left, 5, ""},
        {"control end", Qt::ControlModifier | Qt::Key_End, 23, ""},
        {"control home", Qt::ControlModifier | Qt::Key_Home, 0, ""},
    };
    for (const auto& step : steps) {
        QTest::keyClick(view.viewport(), step.key.key(), step.key.keyboardModifiers());
        EXPECT_EQ(view.caretOffset(), step.caret) << step.name;
        EXPECT_EQ(view.selectedText(), QString::fromLatin1(step.selected)) << step.name;
    }

    // A click on the third line's start, below the first two.
    const int lineHeight = QFontMetrics(view.font()).lineSpacing();
    const QPoint thirdLine(2, 4 + 2 * lineHeight + lineHeight / 2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, thirdLine);
    EXPECT_EQ(view.caretOffset(), 18);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, thirdLine + QPoint(0, -lineHeight));
    EXPECT_EQ(view.selectedText(), QStringLiteral("second"));

    // A screen reader reads it a range at a time, with the selection.
    QAccessibleTextInterface* reader = QAccessible::queryAccessibleInterface(&view)->textInterface();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->characterCount(), 23);
    EXPECT_EQ(reader->text(6, 12), QStringLiteral("second"));
    int start = 0, end = 0;
    reader->selection(0, &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(6, 12));
}

TEST(MarkedTextView, AWrappedRowAndALineWithoutBreaksAreStepsOfTheirOwn) {
    MarkedTextView view;
    view.resize(300, 200);
    view.setWrapWidth(120);
    view.show();
    std::u16string text = u"short\n";
    for (int word = 0; word < 20; ++word) text += u"word ";
    // Megabytes without a line break: laid out a piece at a time.
    text += u"\n" + std::u16string(4'000'000, u'x');
    view.showText(text);
    QTest::keyClick(view.viewport(), Qt::Key_Down);
    EXPECT_EQ(view.caretOffset(), 6);
    QTest::keyClick(view.viewport(), Qt::Key_Down);
    EXPECT_GT(view.caretOffset(), 6);
    EXPECT_LT(view.caretOffset(), 6 + 100);

    QElapsedTimer clock;
    clock.start();
    view.setCaretOffset(static_cast<int>(text.size()) - 10);
    view.repaint();
    QTest::keyClick(view.viewport(), Qt::Key_Up);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_LT(view.caretOffset(), static_cast<int>(text.size()) - 10);
}

}  // namespace
}  // namespace tessaly
