// A read-only view of a text of any length with stretches of it marked (the
// quick viewer's hit words, bold and red), a caret and a selection. It holds no copy
// of the text and lays out only the lines on screen, so a file of hundreds of
// megabytes shows at once and scrolls freely while the rest still loads; a
// rich-text document of such a file took gigabytes and minutes of layout.
//
// Offsets count UTF-16 units of the text, a line break one.
#pragma once

#include <QAbstractScrollArea>
#include <QMimeData>
#include <QString>
#include <QTextCharFormat>
#include <QTextLayout>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/text_span.h"

class QMenu;


namespace tessaly {

class MarkedTextView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit MarkedTextView(QWidget* parent = nullptr);

    // Set on a format that shows a hit word, so that a screen reader can say
    // which words matched, not only that they look different.
    static constexpr int kHitWordProperty = QTextFormat::UserProperty;

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
    // A stretch of text in one look, and that look: a mark's format, or an
    // empty one for text in the view's own font and colour.
    struct FormatRun {
        int start;
        int end;
        QTextCharFormat format;
    };
    // The run that holds the character at the offset.
    FormatRun formatRunAt(int offset) const;
    // Copies of the whole text and of the selection, as a rich-text box gives
    // them: a line break within a paragraph is a line break.
    QString plainText() const;
    QString selectedText() const;

    int caretOffset() const { return caret_; }
    void setCaretOffset(int offset);
    void select(int start, int length);
    bool hasSelection() const { return anchor_ != caret_; }
    int selectionStart() const { return std::min(anchor_, caret_); }

    // The text shown whole on screen, from the first row shown to the end of
    // the last one that is not cut off at the bottom.
    TextSpan shownSpan() const;
    // Where the character at the offset stands in the viewport; empty for a
    // character that is not on screen.
    QRect characterRect(int offset) const;
    // The character under a point of the viewport, or -1 where there is none.
    int characterAt(QPoint point) const;

    // A press on a character for which the source gives data begins a drag
    // of that data once the mouse moves, rather than a selection; where it
    // gives none (null), a press selects as ever. The data is the view's
    // until a drag takes it.
    using DragSource = std::function<QMimeData*(int offset)>;
    void setDragSource(DragSource source) { dragSource_ = std::move(source); }

signals:
    // The context menu is about to open for the offset (-1: not over the
    // text); what is added here comes before Copy and Select All.
    void contextMenuOpening(QMenu* menu, int offset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // A row of the screen: the line and which of its wrapped rows.
    struct RowPosition {
        int line = 0;
        int row = 0;
        auto operator<=>(const RowPosition&) const = default;
    };

    int lineCount() const { return static_cast<int>(lineStarts_.size()); }
    int lineOf(int offset) const;
    int lineStart(int line) const { return static_cast<int>(lineStarts_[line]); }
    // Behind the line's last character, before its line break if it has one.
    int lineEnd(int line) const;
    std::unique_ptr<QTextLayout> layOutLine(int line) const;
    int wrapWidth() const;
    // The height rows are shown in, below the top margin: the last row may
    // reach into the bottom one, where it is still read whole.
    qreal pageHeight() const;
    // Calls visit(line, layout, y) for each line on screen from the top, y
    // being where its first row is drawn, until visit returns false.
    template <typename Visit>
    void visitShownLines(Visit visit) const;
    // The same for each row on screen from the first shown, y being its top.
    template <typename Visit>
    void visitShownRows(Visit visit) const;
    // Whether the row, drawn at `top`, is not cut off at the bottom.
    bool isWhole(const QTextLine& row, qreal top) const;
    // The offset under a point of the viewport, between characters or on
    // one, the nearest where the point is off the text; `onText` tells which.
    int offsetAt(QPoint point, bool* onText = nullptr,
                 QTextLine::CursorPosition between = QTextLine::CursorBetweenCharacters) const;
    RowPosition rowOf(int offset) const;
    RowPosition lastRow() const;
    // `rows` rows down (or up, for less than 0), stopping at the first or
    // last row; `stopped` tells whether it had to.
    RowPosition rowsAway(RowPosition from, int rows, bool* stopped = nullptr) const;
    // The highest top that still shows the row within `room` pixels.
    RowPosition topAbove(RowPosition row, qreal room) const;
    int rowsShownWhole() const;
    int pageRows() const;
    // The start or the end of the caret's row on screen.
    int rowEdge(bool end) const;
    void scrollTo(RowPosition top);
    void scrollBarMoved(int value);
    void scrollBarAction(int action);
    void page(int direction, bool keepAnchor);
    void moveCaret(int offset, bool keepAnchor);
    // The offset `rows` rows below (above) the caret, as near under (over)
    // it as that row allows; past the first or last row, the text's start or end.
    int offsetRowsAway(int rows) const;
    void scrollToCaret();
    void updateScrollRange();
    void indexLines(std::size_t from);
    void copy() const;
    void selectAll();
    // Offers the selection to X11's middle-button paste.
    void publishSelection();
    void openContextMenu(QPoint at, int offset);
    void openContextMenuAtCaret();

    std::u16string_view text_;
    // Counts the texts shown, so that a promise of a selection made from
    // one is not kept from the next.
    int textNumber_ = 0;
    // Where each shown line starts. A line longer than a few thousand units
    // is shown as several, so that no single layout freezes the window.
    std::vector<std::uint32_t> lineStarts_{0};
    std::size_t indexed_ = 0;  // the text is cut into lines up to here
    std::vector<TextSpan> marks_;
    std::vector<std::uint16_t> markFormats_;  // beside each mark
    std::vector<QTextCharFormat> formats_;
    int anchor_ = 0;
    int caret_ = 0;
    DragSource dragSource_;
    std::unique_ptr<QMimeData> pendingDrag_;  // pressed where a drag may begin
    QPoint pressPoint_;
    int wrapWidth_ = 0;
    // The first row shown, and the lowest it may be: the top of the last screenful.
    RowPosition top_;
    RowPosition lowestTop_;
    bool movingScrollBar_ = false;
    int wheelAngle_ = 0;  // what a wheel turned short of a row
};

}  // namespace tessaly
