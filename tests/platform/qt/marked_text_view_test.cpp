#include "platform/qt/marked_text_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QElapsedTimer>
#include <QScrollBar>
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
    // Home and End keep to the row on screen, not the whole line.
    QTest::keyClick(view.viewport(), Qt::Key_End);
    const int rowEnd = view.caretOffset();
    EXPECT_LT(rowEnd, 6 + 100 - 1);
    EXPECT_EQ(text[static_cast<std::size_t>(rowEnd) - 1], u'd');
    QTest::keyClick(view.viewport(), Qt::Key_Home);
    EXPECT_GT(view.caretOffset(), 6);
    EXPECT_EQ(text[static_cast<std::size_t>(view.caretOffset())], u'w');

    QElapsedTimer clock;
    clock.start();
    view.setCaretOffset(static_cast<int>(text.size()) - 10);
    view.repaint();
    QTest::keyClick(view.viewport(), Qt::Key_Up);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_LT(view.caretOffset(), static_cast<int>(text.size()) - 10);
}

// Paragraphs of a document, one line each, that wrap into many rows; a line
// of thousands of characters without a break; short lines between.
std::u16string wrappingText() {
    std::u16string text;
    for (int paragraph = 1; paragraph <= 30; ++paragraph) {
        text += u"p" + std::u16string(1, static_cast<char16_t>(u'a' + paragraph % 26));
        for (int word = 0; word < 10 + paragraph * 7 % 60; ++word)
            text += u" word" + std::u16string(word % 4, u'x');
        text += paragraph % 10 == 0 ? u"\nshort\n\n" : u"\n";
    }
    text += std::u16string(5000, u'y') + u"\nthe end";
    return text;
}

// The text in a small view on screen: a screenful is a few paragraphs.
void showSmall(MarkedTextView& view, std::u16string_view text) {
    view.resize(300, 200);
    view.show();
    view.showText(text);
}

TEST(MarkedTextView, PageDownShowsEveryRowOnSomePageAndStopsWithTheLastRowAtTheBottom) {
    const std::u16string text = wrappingText();
    MarkedTextView view;
    showSmall(view, text);

    std::vector<TextSpan> pages{view.shownSpan()};
    for (int press = 0; press < 2000; ++press) {
        QTest::keyClick(view.viewport(), Qt::Key_PageDown);
        if (view.shownSpan() == pages.back()) break;
        pages.push_back(view.shownSpan());
    }
    ASSERT_GT(pages.size(), 20u);
    EXPECT_EQ(pages.front().start, 0u);
    for (std::size_t page = 1; page < pages.size(); ++page) {
        const TextSpan before = pages[page - 1], now = pages[page];
        // No gap, and not a line at a time either: the pages overlap by a
        // row, but for the last, which ends with the text.
        ASSERT_LE(now.start, before.start + before.length) << page;
        if (page + 1 < pages.size()) {
            ASSERT_GT(now.start, before.start + before.length / 2) << page;
        }
    }
    const TextSpan last = pages.back();
    EXPECT_EQ(last.start + last.length, text.size());

    // The last row stands at the bottom: a row up and it is cut off.
    QScrollBar& bar = *view.verticalScrollBar();
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_LT(view.shownSpan().start + view.shownSpan().length, text.size());
    bar.setValue(bar.maximum());
    EXPECT_EQ(view.shownSpan(), last);
}

TEST(MarkedTextView, TheScrollBarShowsOnlyWhenTheTextDoesNotFit) {
    const struct {
        const char* name;
        std::u16string text;
        bool scrolls;
    } cases[] = {
        {"three short lines", u"one\ntwo\nthree\n", false},
        {"empty", u"", false},
        {"one line wrapped into more rows than fit", std::u16string(3000, u'z'), true},
        {"many lines", wrappingText(), true},
    };
    for (const auto& c : cases) {
        MarkedTextView view;
        showSmall(view, c.text);
        QCoreApplication::processEvents();
        EXPECT_EQ(view.verticalScrollBar()->isVisible(), c.scrolls) << c.name;
        // At the bar's end the text's end is on screen, and nothing past it.
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        const TextSpan shown = view.shownSpan();
        EXPECT_EQ(shown.start + shown.length, c.text.size()) << c.name;
        EXPECT_EQ(shown.start > 0, c.scrolls) << c.name;
    }
}

TEST(MarkedTextView, AReaderFindsCharactersOnScreenAndTellsAHitFromPlainText) {
    const std::u16string text = wrappingText();
    MarkedTextView view;
    showSmall(view, text);
    view.addMarks({{3, 4}, {9, 4}});
    // The top inside a wrapped paragraph.
    for (int row = 0; row < 7; ++row)
        view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const TextSpan shown = view.shownSpan();
    ASSERT_GT(shown.start, 0u);
    QAccessibleTextInterface& reader =
        *QAccessible::queryAccessibleInterface(&view)->textInterface();

    for (std::size_t offset = shown.start; offset < shown.start + shown.length; offset += 7) {
        if (text[offset] == u'\n' || text[offset] == u' ') continue;
        const QRect box = reader.characterRect(static_cast<int>(offset));
        ASSERT_FALSE(box.isEmpty()) << offset;
        ASSERT_EQ(reader.offsetAtPoint(box.center()), static_cast<int>(offset)) << offset;
    }
    EXPECT_TRUE(reader.characterRect(static_cast<int>(shown.start) - 1).isEmpty());
    EXPECT_TRUE(reader.characterRect(static_cast<int>(text.size()) - 1).isEmpty());
    EXPECT_EQ(reader.offsetAtPoint(view.viewport()->mapToGlobal(QPoint(-5, 10))), -1);

    // A hit word and the plain text after it: each run whole, in its own look.
    const auto look = [&](int offset, std::pair<int, int> run) {
        int start = 0, end = 0;
        const QString attributes = reader.attributes(offset, &start, &end);
        EXPECT_EQ(std::make_pair(start, end), run) << offset;
        return attributes;
    };
    const QString hit = look(4, {3, 7}), plain = look(8, {7, 9});
    EXPECT_TRUE(hit.contains("font-weight:700;")) << hit.toStdString();
    EXPECT_TRUE(plain.contains("font-weight:400;")) << plain.toStdString();
    EXPECT_TRUE(hit.contains("hit:true;"));
    EXPECT_FALSE(plain.contains("hit:"));
    EXPECT_NE(hit.section("color:", 1), plain.section("color:", 1));
}

}  // namespace
}  // namespace tessaly
