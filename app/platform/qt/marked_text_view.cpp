#include "platform/qt/marked_text_view.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>
#include <functional>
#include <optional>

#include "platform/qt/marked_text_accessible.h"
#include "platform/qt/menu_key.h"
#include "platform/qt/readable_colour.h"

namespace tessaly {

namespace {

// A line of a file without line breaks is cut for showing: a layout of
// megabytes would hold the window for seconds. Cut at a blank where one is near.
constexpr std::size_t kLongestLine = 4096;
constexpr std::size_t kCutSearch = 256;
constexpr qreal kMargin = 4;
// The viewer's text as the engine's body sets it: 10 points, hits in 9 points
// bold and red.
constexpr qreal kTextPoints = 10;
constexpr qreal kHitPoints = 9;
const QColor kHitColour(255, 0, 0);

QString qText(std::u16string_view text) {
    QString copy(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
    // A line break inside a result paragraph is kept as a line separator.
    copy.replace(QChar::LineSeparator, u'\n');
    return copy;
}

// The selection as X11's middle button pastes it, copied only when pasted:
// Select All in a file of hundreds of megabytes would otherwise copy them all
// at once.
class PromisedText final : public QMimeData {
public:
    explicit PromisedText(std::function<QString()> text) : text_(std::move(text)) {}

    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& type) const override {
        return type == QLatin1String("text/plain");
    }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override {
        return hasFormat(type) ? QVariant(text_()) : QVariant();
    }

private:
    std::function<QString()> text_;
};

}  // namespace

MarkedTextView::MarkedTextView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QScrollBar& bar = *verticalScrollBar();
    bar.setSingleStep(1);
    connect(&bar, &QScrollBar::valueChanged, this, &MarkedTextView::scrollBarMoved);
    connect(&bar, &QScrollBar::actionTriggered, this, &MarkedTextView::scrollBarAction);
    QFont textFont = font();
    textFont.setPointSizeF(kTextPoints);
    setFont(textFont);
    QTextCharFormat hit;
    hit.setForeground(readableOn(kHitColour, palette().color(QPalette::Base)));
    hit.setFontWeight(QFont::Bold);
    hit.setFontPointSize(kHitPoints);
    hit.setProperty(kHitWordProperty, true);
    formats_.push_back(hit);
    updateScrollRange();
    MarkedTextAccessible::install();
}

void MarkedTextView::clear() {
    text_ = {};
    ++textNumber_;
    lineStarts_.assign(1, 0);
    indexed_ = 0;
    marks_.clear();
    markFormats_.clear();
    anchor_ = caret_ = 0;
    top_ = {};
    updateScrollRange();
    viewport()->update();
}

void MarkedTextView::showText(std::u16string_view text) {
    text_ = text;
    indexLines(indexed_);
    updateScrollRange();
    viewport()->update();
}

void MarkedTextView::indexLines(std::size_t from) {
    std::size_t at = from;
    while (at < text_.size()) {
        const std::size_t start = lineStarts_.back();
        const std::size_t limit = start + kLongestLine;
        const std::size_t end = std::min(limit, text_.size());
        const std::size_t lineBreak = text_.substr(at, end - at).find(u'\n');
        if (lineBreak != std::u16string_view::npos) {
            at += lineBreak + 1;
            lineStarts_.push_back(static_cast<std::uint32_t>(at));
        } else if (limit < text_.size()) {
            const std::size_t blank = text_.substr(limit - kCutSearch, kCutSearch).rfind(u' ');
            at = blank == std::u16string_view::npos ? limit : limit - kCutSearch + blank + 1;
            // A character beyond the first plane stays whole.
            if (QChar::isHighSurrogate(text_[at - 1])) --at;
            lineStarts_.push_back(static_cast<std::uint32_t>(at));
        } else {
            at = text_.size();
        }
    }
    indexed_ = at;
}

void MarkedTextView::addMarks(const std::vector<TextSpan>& marks, int format) {
    if (marks.empty()) return;
    marks_.insert(marks_.end(), marks.begin(), marks.end());
    markFormats_.insert(markFormats_.end(), marks.size(), static_cast<std::uint16_t>(format));
    viewport()->update();
}

int MarkedTextView::addFormat(const QTextCharFormat& format) {
    formats_.push_back(format);
    return static_cast<int>(formats_.size() - 1);
}

void MarkedTextView::setWrapWidth(int pixels) {
    wrapWidth_ = pixels;
    updateScrollRange();
    viewport()->update();
}

bool MarkedTextView::isMarked(int offset) const {
    const auto mark = std::partition_point(marks_.begin(), marks_.end(), [&](const TextSpan& m) {
        return m.start + m.length <= static_cast<std::size_t>(offset);
    });
    return mark != marks_.end() && mark->start <= static_cast<std::size_t>(offset);
}

MarkedTextView::FormatRun MarkedTextView::formatRunAt(int offset) const {
    const auto at = static_cast<std::size_t>(std::max(0, offset));
    const auto mark = std::partition_point(
        marks_.begin(), marks_.end(), [&](const TextSpan& m) { return m.start + m.length <= at; });
    if (mark != marks_.end() && mark->start <= at)
        return {static_cast<int>(mark->start), static_cast<int>(mark->start + mark->length),
                formats_[markFormats_[mark - marks_.begin()]]};
    const std::size_t start =
        mark == marks_.begin() ? 0 : std::prev(mark)->start + std::prev(mark)->length;
    const std::size_t end = mark == marks_.end() ? text_.size() : mark->start;
    return {static_cast<int>(start), static_cast<int>(end), {}};
}

QString MarkedTextView::plainText() const { return qText(text_); }

QString MarkedTextView::selectedText() const {
    const int from = selectionStart();
    return qText(text_.substr(from, std::max(anchor_, caret_) - from));
}

void MarkedTextView::setCaretOffset(int offset) { select(offset, 0); }

void MarkedTextView::select(int start, int length) {
    anchor_ = std::clamp(start, 0, static_cast<int>(text_.size()));
    moveCaret(anchor_ + std::max(0, length), true);
}

int MarkedTextView::lineOf(int offset) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(),
                                        static_cast<std::uint32_t>(std::max(0, offset)));
    return static_cast<int>(after - lineStarts_.begin()) - 1;
}

int MarkedTextView::lineEnd(int line) const {
    const std::size_t next = line + 1 < lineCount() ? lineStarts_[line + 1] : text_.size();
    return static_cast<int>(next > lineStarts_[line] && text_[next - 1] == u'\n' ? next - 1 : next);
}

int MarkedTextView::wrapWidth() const {
    const int room = viewport()->width() - 2 * static_cast<int>(kMargin);
    return std::max(1, wrapWidth_ > 0 ? std::min(wrapWidth_, room) : room);
}

qreal MarkedTextView::pageHeight() const {
    return std::max<qreal>(1, viewport()->height() - kMargin);
}

std::unique_ptr<QTextLayout> MarkedTextView::layOutLine(int line) const {
    const int start = lineStart(line);
    const int end = lineEnd(line);
    auto layout = std::make_unique<QTextLayout>(
        QString(reinterpret_cast<const QChar*>(text_.data() + start), end - start), font());
    QList<QTextLayout::FormatRange> formats;
    for (auto mark = std::partition_point(
             marks_.begin(), marks_.end(),
             [&](const TextSpan& m) { return m.start + m.length <= static_cast<std::size_t>(start); });
         mark != marks_.end() && mark->start < static_cast<std::size_t>(end); ++mark) {
        const int from = std::max(start, static_cast<int>(mark->start));
        const int to = std::min(end, static_cast<int>(mark->start + mark->length));
        formats.append({from - start, to - from, formats_[markFormats_[mark - marks_.begin()]]});
    }
    layout->setFormats(formats);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->beginLayout();
    qreal height = 0;
    for (QTextLine row = layout->createLine(); row.isValid(); row = layout->createLine()) {
        row.setLineWidth(wrapWidth());
        row.setPosition(QPointF(0, height));
        height += row.height();
    }
    layout->endLayout();
    return layout;
}

// Where the view stands is a row: the first line shown and how many of its
// wrapped rows are scrolled away above. The scroll bar counts lines, not
// rows: rows are only known by laying a line out, and counting them would
// lay out the whole text, hundreds of megabytes that may still be growing.
// Paging, the arrows and the wheel move by rows, so that a line that wraps
// into many rows is read row by row. The lowest top, where the last row
// stands at the bottom, comes from laying out the last screenful alone;
// the scroll bar's end stands for it, one step past its line when that top
// is inside a wrapped line.
template <typename Visit>
void MarkedTextView::visitShownLines(Visit visit) const {
    const qreal bottom = viewport()->height();
    qreal y = kMargin;
    for (int line = top_.line; line < lineCount() && y < bottom; ++line) {
        const std::unique_ptr<QTextLayout> layout = layOutLine(line);
        if (line == top_.line && layout->lineCount() > 0)
            y -= layout->lineAt(std::min(top_.row, layout->lineCount() - 1)).y();
        if (!visit(line, *layout, y)) return;
        y += layout->boundingRect().height();
    }
}

void MarkedTextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    // Rows scrolled away above stay out of the top margin.
    painter.setClipRect(QRectF(0, kMargin, viewport()->width(), viewport()->height() - kMargin));
    const int selectionFrom = selectionStart();
    const int selectionTo = std::max(anchor_, caret_);
    const int caretLine = lineOf(caret_);
    visitShownLines([&](int line, const QTextLayout& layout, qreal y) {
        const int start = lineStart(line);
        QList<QTextLayout::FormatRange> selection;
        if (selectionFrom < selectionTo && selectionTo > start && selectionFrom <= lineEnd(line)) {
            QTextCharFormat chosen;
            chosen.setBackground(palette().highlight());
            chosen.setForeground(palette().highlightedText());
            const int from = std::max(selectionFrom, start) - start;
            selection.append({from, std::min(selectionTo, lineEnd(line)) - start - from, chosen});
        }
        layout.draw(&painter, QPointF(kMargin, y), selection);
        if (line == caretLine && hasFocus())
            layout.drawCursor(&painter, QPointF(kMargin, y), caret_ - start);
        return true;
    });
}

template <typename Visit>
void MarkedTextView::visitShownRows(Visit visit) const {
    bool first = true;
    visitShownLines([&](int line, const QTextLayout& layout, qreal y) {
        // Rows of the first line scrolled away above are passed over.
        const int from = first ? std::min(top_.row, layout.lineCount() - 1) : 0;
        first = false;
        for (int row = std::max(0, from); row < layout.lineCount(); ++row) {
            const QTextLine shown = layout.lineAt(row);
            if (!visit(line, shown, y + shown.y())) return false;
        }
        return true;
    });
}

bool MarkedTextView::isWhole(const QTextLine& row, qreal top) const {
    return top + row.height() <= kMargin + pageHeight() + 0.5;
}

int MarkedTextView::offsetAt(QPoint point, bool* onText, QTextLine::CursorPosition between) const {
    int found = static_cast<int>(text_.size());
    bool hit = false;
    visitShownRows([&](int line, const QTextLine& row, qreal top) {
        // Above the first row shown counts as on it.
        if (point.y() >= top + row.height()) return true;
        found = lineStart(line) + row.xToCursor(point.x() - kMargin, between);
        hit = point.y() >= top && point.x() >= kMargin &&
              point.x() < kMargin + row.naturalTextWidth();
        return false;
    });
    if (onText) *onText = hit;
    return found;
}

int MarkedTextView::characterAt(QPoint point) const {
    bool onText = false;
    const int found = offsetAt(point, &onText, QTextLine::CursorOnCharacter);
    return onText ? found : -1;
}

QRect MarkedTextView::characterRect(int offset) const {
    if (offset < 0 || offset >= static_cast<int>(text_.size())) return {};
    // Only a line on screen has a place: any other would need the lines
    // between it and the screen laid out.
    const int wanted = lineOf(offset);
    if (wanted < top_.line) return {};
    QRect found;
    visitShownLines([&](int line, const QTextLayout& layout, qreal y) {
        if (line < wanted) return true;
        const int at = offset - lineStart(line);
        const QTextLine row =
            layout.lineForTextPosition(std::min(at, lineEnd(line) - lineStart(line)));
        if (!row.isValid()) return false;
        const qreal left = row.cursorToX(at);
        const qreal right = at < row.textStart() + row.textLength() ? row.cursorToX(at + 1) : left;
        found = QRectF(kMargin + std::min(left, right), y + row.y(),
                       std::max<qreal>(1, std::abs(right - left)), row.height())
                    .toAlignedRect();
        return false;
    });
    return found.intersects(viewport()->rect()) && found.bottom() >= kMargin ? found : QRect();
}

TextSpan MarkedTextView::shownSpan() const {
    std::optional<std::size_t> start;
    std::size_t end = 0;
    visitShownRows([&](int line, const QTextLine& row, qreal top) {
        const std::size_t rowStart = lineStart(line) + row.textStart();
        if (!start)
            start = rowStart;
        else if (!isWhole(row, top))
            return false;
        // A line's last row takes its line break along.
        const std::size_t rowEnd = rowStart + row.textLength();
        end = rowEnd < static_cast<std::size_t>(lineEnd(line)) ? rowEnd
              : line + 1 < lineCount()                         ? lineStart(line + 1)
                                                               : text_.size();
        return true;
    });
    return {start.value_or(0), end - start.value_or(0)};
}

MarkedTextView::RowPosition MarkedTextView::rowOf(int offset) const {
    const int line = lineOf(offset);
    const QTextLine row = layOutLine(line)->lineForTextPosition(offset - lineStart(line));
    return {line, row.isValid() ? row.lineNumber() : 0};
}

MarkedTextView::RowPosition MarkedTextView::lastRow() const {
    const int line = lineCount() - 1;
    return {line, std::max(0, layOutLine(line)->lineCount() - 1)};
}

MarkedTextView::RowPosition MarkedTextView::rowsAway(RowPosition at, int rows,
                                                     bool* stopped) const {
    if (stopped) *stopped = false;
    // A row of a line wrapped anew at another width may be gone.
    at.row = std::min(at.row, std::max(0, layOutLine(at.line)->lineCount() - 1));
    while (rows > 0) {
        const int below = std::max(0, layOutLine(at.line)->lineCount() - 1 - at.row);
        if (rows <= below) return {at.line, at.row + rows};
        if (at.line + 1 >= lineCount()) {
            if (stopped) *stopped = true;
            return {at.line, at.row + below};
        }
        rows -= below + 1;
        at = {at.line + 1, 0};
    }
    while (rows < 0) {
        if (-rows <= at.row) return {at.line, at.row + rows};
        if (at.line == 0) {
            if (stopped) *stopped = true;
            return {};
        }
        rows += at.row + 1;
        at = {at.line - 1, std::max(0, layOutLine(at.line - 1)->lineCount() - 1)};
    }
    return at;
}

MarkedTextView::RowPosition MarkedTextView::topAbove(RowPosition row, qreal room) const {
    std::unique_ptr<QTextLayout> layout = layOutLine(row.line);
    RowPosition top{row.line, std::min(row.row, std::max(0, layout->lineCount() - 1))};
    if (layout->lineCount() == 0) return top;
    room -= layout->lineAt(top.row).height();
    for (RowPosition above = top;;) {
        if (above.row > 0) {
            --above.row;
        } else if (above.line > 0) {
            layout = layOutLine(--above.line);
            above.row = layout->lineCount() - 1;
            if (above.row < 0) break;
        } else {
            break;
        }
        room -= layout->lineAt(above.row).height();
        if (room < 0) break;
        top = above;
    }
    return top;
}

int MarkedTextView::rowsShownWhole() const {
    int rows = 0;
    visitShownRows(
        [&](int, const QTextLine& row, qreal top) { return isWhole(row, top) && ++rows; });
    return std::max(1, rows);
}

void MarkedTextView::scrollTo(RowPosition top) {
    top_ = std::clamp(top, RowPosition{}, lowestTop_);
    QScrollBar& bar = *verticalScrollBar();
    movingScrollBar_ = true;
    bar.setValue(top_ == lowestTop_ ? bar.maximum() : top_.line);
    movingScrollBar_ = false;
    viewport()->update();
}

void MarkedTextView::scrollBarMoved(int value) {
    if (movingScrollBar_) return;
    top_ = value >= verticalScrollBar()->maximum() ? lowestTop_
                                                   : std::min(RowPosition{value, 0}, lowestTop_);
    viewport()->update();
}

void MarkedTextView::scrollBarAction(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: scrollTo(rowsAway(top_, 1)); break;
    case QAbstractSlider::SliderSingleStepSub: scrollTo(rowsAway(top_, -1)); break;
    case QAbstractSlider::SliderPageStepAdd: scrollTo(rowsAway(top_, pageRows())); break;
    case QAbstractSlider::SliderPageStepSub: scrollTo(rowsAway(top_, -pageRows())); break;
    default: break;
    }
    // Setting the value above has also put the slider where the bar would
    // otherwise have taken it, a step in lines.
}

void MarkedTextView::updateScrollRange() {
    lowestTop_ = topAbove(lastRow(), pageHeight());
    QScrollBar& bar = *verticalScrollBar();
    movingScrollBar_ = true;
    bar.setRange(0, lowestTop_.line + (lowestTop_.row > 0 ? 1 : 0));
    // The lines of the last screenful stand for the lines a screen shows.
    bar.setPageStep(std::max(1, lineCount() - lowestTop_.line));
    movingScrollBar_ = false;
    scrollTo(top_);
}

void MarkedTextView::scrollToCaret() {
    const RowPosition caret = rowOf(caret_);
    const qreal room = pageHeight();
    // Far from the screen the caret is shown a third of the way down, with
    // what leads to it above; next to it the text moves just far enough.
    const int nearby = static_cast<int>(room / QFontMetrics(font()).lineSpacing());
    if (caret < top_) {
        scrollTo(caret.line >= top_.line - nearby ? caret : topAbove(caret, room / 3));
        return;
    }
    const RowPosition lastWhole = rowsAway(top_, rowsShownWhole() - 1);
    if (caret <= lastWhole) return;
    scrollTo(topAbove(caret, caret.line <= lastWhole.line + nearby ? room : room / 3));
}

void MarkedTextView::wheelEvent(QWheelEvent* event) {
    wheelAngle_ += event->angleDelta().y();
    // A notch is 120; a touchpad sends less at a time.
    const int perNotch = std::max(1, QApplication::wheelScrollLines());
    const int rows = wheelAngle_ * perNotch / 120;
    event->accept();
    if (rows == 0) return;
    wheelAngle_ -= rows * 120 / perNotch;
    scrollTo(rowsAway(top_, -rows));
}

void MarkedTextView::moveCaret(int offset, bool keepAnchor) {
    caret_ = std::clamp(offset, 0, static_cast<int>(text_.size()));
    if (!keepAnchor) anchor_ = caret_;
    scrollToCaret();
    viewport()->update();
    QAccessibleTextCursorEvent moved(this, caret_);
    QAccessible::updateAccessibility(&moved);
}

int MarkedTextView::offsetRowsAway(int rows) const {
    const int line = lineOf(caret_);
    const std::unique_ptr<QTextLayout> layout = layOutLine(line);
    const QTextLine row = layout->lineForTextPosition(caret_ - lineStart(line));
    if (!row.isValid()) return caret_;
    bool stopped = false;
    const RowPosition target = rowsAway({line, row.lineNumber()}, rows, &stopped);
    if (stopped) return rows > 0 ? static_cast<int>(text_.size()) : 0;
    const qreal x = row.cursorToX(caret_ - lineStart(line));
    const std::unique_ptr<QTextLayout> targetLayout =
        target.line == line ? nullptr : layOutLine(target.line);
    return lineStart(target.line) +
           (targetLayout ? *targetLayout : *layout).lineAt(target.row).xToCursor(x);
}

// Home and End keep to the row on screen, as in any editor: a paragraph of
// a whole file's worth of wrapped rows is not crossed at one key.
int MarkedTextView::rowEdge(bool end) const {
    const int line = lineOf(caret_);
    const std::unique_ptr<QTextLayout> layout = layOutLine(line);
    const QTextLine row = layout->lineForTextPosition(caret_ - lineStart(line));
    if (!row.isValid()) return end ? lineEnd(line) : lineStart(line);
    if (!end) return lineStart(line) + row.textStart();
    if (row.lineNumber() == layout->lineCount() - 1) return lineEnd(line);
    // Before the blank the row broke at, or the caret would show on the next row.
    const int after = lineStart(line) + row.textStart() + row.textLength();
    return text_[static_cast<std::size_t>(after - 1)] == u' ' ? after - 1 : after;
}

// A page is what the screen shows whole less its last row, which comes
// first on the next page: every row is read whole on some page.
int MarkedTextView::pageRows() const {
    return std::max(1, rowsShownWhole() - 1);
}

void MarkedTextView::page(int direction, bool keepAnchor) {
    const int rows = direction * pageRows();
    const int caret = offsetRowsAway(rows);
    scrollTo(rowsAway(top_, rows));
    moveCaret(caret, keepAnchor);
}

void MarkedTextView::copy() const {
    if (hasSelection()) QApplication::clipboard()->setText(selectedText());
}

void MarkedTextView::selectAll() {
    anchor_ = 0;
    moveCaret(static_cast<int>(text_.size()), true);
    publishSelection();
}

void MarkedTextView::publishSelection() {
    QClipboard& clipboard = *QApplication::clipboard();
    if (!hasSelection() || !clipboard.supportsSelection()) return;
    const int from = selectionStart(), to = std::max(anchor_, caret_), number = textNumber_;
    clipboard.setMimeData(
        new PromisedText([view = QPointer<const MarkedTextView>(this), from, to, number] {
            if (!view || view->textNumber_ != number) return QString();
            return qText(view->text_.substr(from, to - from));
        }),
        QClipboard::Selection);
}

void MarkedTextView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    if (isMenuKey(*event)) {
        openContextMenuAtCaret();
        return;
    }
    const bool keep = event->modifiers() & Qt::ShiftModifier;
    const bool far = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left: moveCaret(caret_ - 1, keep); break;
    case Qt::Key_Right: moveCaret(caret_ + 1, keep); break;
    case Qt::Key_Up: moveCaret(offsetRowsAway(-1), keep); break;
    case Qt::Key_Down: moveCaret(offsetRowsAway(1), keep); break;
    case Qt::Key_PageUp: page(-1, keep); break;
    case Qt::Key_PageDown: page(1, keep); break;
    case Qt::Key_Home: moveCaret(far ? 0 : rowEdge(false), keep); break;
    case Qt::Key_End: moveCaret(far ? static_cast<int>(text_.size()) : rowEdge(true), keep); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    if (keep) publishSelection();
}

void MarkedTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    pendingDrag_.reset();
    if (dragSource_ && !(event->modifiers() & Qt::ShiftModifier)) {
        const int pressed = characterAt(at);
        if (pressed >= 0) pendingDrag_.reset(dragSource_(pressed));
        pressPoint_ = at;
    }
    moveCaret(offsetAt(at), event->modifiers() & Qt::ShiftModifier);
}

void MarkedTextView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    if (pendingDrag_) {
        if ((event->position().toPoint() - pressPoint_).manhattanLength() < QApplication::startDragDistance())
            return;
        // The drag's own loop runs until the drop; the view keeps nothing of it.
        auto* drag = new QDrag(this);
        drag->setMimeData(pendingDrag_.release());
        drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
        return;
    }
    // Dragged past the top or the bottom: the text comes along a row at a time.
    if (event->position().y() < 0) scrollTo(rowsAway(top_, -1));
    if (event->position().y() > viewport()->height()) scrollTo(rowsAway(top_, 1));
    moveCaret(offsetAt(event->position().toPoint()), true);
}

void MarkedTextView::mouseReleaseEvent(QMouseEvent* event) {
    pendingDrag_.reset();
    if (event->button() == Qt::LeftButton) publishSelection();
}

void MarkedTextView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const auto inWord = [this](int at) {
        return at >= 0 && at < static_cast<int>(text_.size()) && QChar(text_[at]).isLetterOrNumber();
    };
    int start = offsetAt(event->position().toPoint());
    int end = start;
    while (inWord(start - 1)) --start;
    while (inWord(end)) ++end;
    anchor_ = start;
    moveCaret(end, true);
}

void MarkedTextView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) {
        openContextMenuAtCaret();
        return;
    }
    bool onText = false;
    const int offset = offsetAt(event->pos(), &onText);
    openContextMenu(event->pos(), onText ? offset : -1);
}

void MarkedTextView::openContextMenuAtCaret() {
    scrollToCaret();
    // The caret behind the last character stands where that one ends.
    const QRect character = characterRect(std::min(caret_, static_cast<int>(text_.size()) - 1));
    openContextMenu(character.isEmpty() ? QPoint(0, 0) : character.bottomLeft(), caret_);
}

void MarkedTextView::openContextMenu(QPoint at, int offset) {
    // Opened without waiting for it to close, as any popup: the window goes
    // on meanwhile.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    emit contextMenuOpening(menu, offset);
    if (!menu->isEmpty()) menu->addSeparator();
    QAction* copying = menu->addAction(QStringLiteral("&Copy"), this, &MarkedTextView::copy);
    copying->setShortcut(QKeySequence::Copy);
    copying->setEnabled(hasSelection());
    QAction* all = menu->addAction(QStringLiteral("Select &All"), this, &MarkedTextView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(!text_.empty());
    menu->popup(viewport()->mapToGlobal(at));
}

void MarkedTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void MarkedTextView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void MarkedTextView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

}  // namespace tessaly
