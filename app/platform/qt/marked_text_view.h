// A read-only view of a text of any length with stretches of it marked (the
// quick viewer's hit words, bold and red), a caret and a selection. It holds no copy
// of the text and lays out only the lines on screen, so a file of hundreds of
// megabytes shows at once and scrolls freely while the rest still loads; a
// rich-text document of such a file took gigabytes and minutes of layout.
//
// Offsets count UTF-16 units of the text, a line break one.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QTextCharFormat>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/text_span.h"

class QTextLayout;

namespace tessaly {

class MarkedTextView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit MarkedTextView(QWidget* parent = nullptr);

    // Nothing to show; the caret at the start.
    void clear();
    // The text to show, which must stay where it is until the next clear().
    // It may be given again, longer, with the same start: the lines already
    // on screen stay where they are.
    void showText(std::u16string_view text);
    // Stretches to mark, in order, each after the ones before, in a format
    // addFormat() gave; format 0 is a hit word's, bold and red.
    void addMarks(const std::vector<TextSpan>& marks, int format = 0);
    // One more, shown from the next showText() on.
    void addMark(TextSpan mark, int format) {
        marks_.push_back(mark);
        markFormats_.push_back(static_cast<std::uint16_t>(format));
    }
    int addFormat(const QTextCharFormat& format);
    // Lines wrap at this many pixels, or at the box's width for 0.
    void setWrapWidth(int pixels);

    std::u16string_view text() const { return text_; }
    const std::vector<TextSpan>& marks() const { return marks_; }
    bool isMarked(int offset) const;
    // A copy of the whole text, as a rich-text box gives it.
    QString plainText() const;

    int caretOffset() const { return caret_; }
    void setCaretOffset(int offset);
    void select(int start, int length);
    bool hasSelection() const { return anchor_ != caret_; }
    int selectionStart() const { return std::min(anchor_, caret_); }
    QString selectedText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int lineCount() const { return static_cast<int>(lineStarts_.size()); }
    int lineOf(int offset) const;
    int lineStart(int line) const { return static_cast<int>(lineStarts_[line]); }
    // Behind the line's last character, before its line break if it has one.
    int lineEnd(int line) const;
    std::unique_ptr<QTextLayout> layOutLine(int line) const;
    int wrapWidth() const;
    // The offset under a point of the viewport.
    int offsetAt(QPoint point) const;
    int visibleLines() const;
    void moveCaret(int offset, bool keepAnchor);
    int offsetOnNextRow(int step) const;
    void scrollToCaret();
    void updateScrollRange();
    void indexLines(std::size_t from);

    std::u16string_view text_;
    // Where each shown line starts. A line longer than a few thousand units
    // is shown as several, so that no single layout freezes the window.
    std::vector<std::uint32_t> lineStarts_{0};
    std::size_t indexed_ = 0;  // the text is cut into lines up to here
    std::vector<TextSpan> marks_;
    std::vector<std::uint16_t> markFormats_;  // beside each mark
    std::vector<QTextCharFormat> formats_;
    int anchor_ = 0;
    int caret_ = 0;
    int wrapWidth_ = 0;
};

}  // namespace tessaly
