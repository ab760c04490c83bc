#include "platform/qt/marked_text_view.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

#include "platform/qt/marked_text_accessible.h"
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
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

}  // namespace

MarkedTextView::MarkedTextView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont textFont = font();
    textFont.setPointSizeF(kTextPoints);
    setFont(textFont);
    QTextCharFormat hit;
    hit.setForeground(readableOn(kHitColour, palette().color(QPalette::Base)));
    hit.setFontWeight(QFont::Bold);
    hit.setFontPointSize(kHitPoints);
    formats_.push_back(hit);
    updateScrollRange();
    MarkedTextAccessible::install();
}

void MarkedTextView::clear() {
    text_ = {};
    lineStarts_.assign(1, 0);
    indexed_ = 0;
    marks_.clear();
    markFormats_.clear();
    anchor_ = caret_ = 0;
    verticalScrollBar()->setValue(0);
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
    viewport()->update();
}

bool MarkedTextView::isMarked(int offset) const {
    const auto mark = std::partition_point(marks_.begin(), marks_.end(), [&](const TextSpan& m) {
        return m.start + m.length <= static_cast<std::size_t>(offset);
    });
    return mark != marks_.end() && mark->start <= static_cast<std::size_t>(offset);
}

QString MarkedTextView::plainText() const { return qText(text_); }

void MarkedTextView::setCaretOffset(int offset) { select(offset, 0); }

void MarkedTextView::select(int start, int length) {
    anchor_ = std::clamp(start, 0, static_cast<int>(text_.size()));
    moveCaret(anchor_ + std::max(0, length), true);
}

QString MarkedTextView::selectedText() const {
    const int from = selectionStart();
    return qText(text_.substr(from, std::max(anchor_, caret_) - from));
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

std::unique_ptr<QTextLayout> MarkedTextView::layOutLine(int line) const {
    const int start = lineStart(line);
    const int end = lineEnd(line);
    auto layout = std::make_unique<QTextLayout>(qText(text_.substr(start, end - start)), font());
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

void MarkedTextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int selectionFrom = selectionStart();
    const int selectionTo = std::max(anchor_, caret_);
    const int caretLine = lineOf(caret_);
    qreal y = kMargin;
    for (int line = verticalScrollBar()->value(); line < lineCount() && y < viewport()->height();
         ++line) {
        const std::unique_ptr<QTextLayout> layout = layOutLine(line);
        const int start = lineStart(line);
        QList<QTextLayout::FormatRange> selection;
        if (selectionFrom < selectionTo && selectionTo > start && selectionFrom <= lineEnd(line)) {
            QTextCharFormat chosen;
            chosen.setBackground(palette().highlight());
            chosen.setForeground(palette().highlightedText());
            const int from = std::max(selectionFrom, start) - start;
            selection.append({from, std::min(selectionTo, lineEnd(line)) - start - from, chosen});
        }
        layout->draw(&painter, QPointF(kMargin, y), selection);
        if (line == caretLine && hasFocus())
            layout->drawCursor(&painter, QPointF(kMargin, y), caret_ - start);
        y += layout->boundingRect().height();
    }
}

int MarkedTextView::offsetAt(QPoint point) const {
    qreal y = kMargin;
    if (point.y() < y) return lineStart(verticalScrollBar()->value());
    for (int line = verticalScrollBar()->value(); line < lineCount(); ++line) {
        const std::unique_ptr<QTextLayout> layout = layOutLine(line);
        const qreal height = layout->boundingRect().height();
        if (point.y() < y + height) {
            for (int row = 0; row < layout->lineCount(); ++row) {
                const QTextLine shown = layout->lineAt(row);
                if (point.y() < y + shown.y() + shown.height() || row + 1 == layout->lineCount())
                    return lineStart(line) + shown.xToCursor(point.x() - kMargin);
            }
        }
        y += height;
        if (y > viewport()->height()) break;
    }
    return static_cast<int>(text_.size());
}

int MarkedTextView::visibleLines() const {
    return std::max(1, viewport()->height() / QFontMetrics(font()).lineSpacing());
}

void MarkedTextView::updateScrollRange() {
    verticalScrollBar()->setRange(0, lineCount() - 1);
    verticalScrollBar()->setPageStep(visibleLines());
}

void MarkedTextView::scrollToCaret() {
    const int line = lineOf(caret_);
    const int top = verticalScrollBar()->value();
    if (line < top || line >= top + visibleLines()) {
        verticalScrollBar()->setValue(std::max(0, line - visibleLines() / 3));
        return;
    }
    // Lines that wrap take more than one row: the rows are counted.
    int lastShown = top;
    qreal y = kMargin;
    for (; lastShown < lineCount(); ++lastShown) {
        y += layOutLine(lastShown)->boundingRect().height();
        if (y > viewport()->height()) break;
    }
    if (line < top || line >= lastShown)
        verticalScrollBar()->setValue(std::max(0, line - visibleLines() / 3));
}

void MarkedTextView::moveCaret(int offset, bool keepAnchor) {
    caret_ = std::clamp(offset, 0, static_cast<int>(text_.size()));
    if (!keepAnchor) anchor_ = caret_;
    scrollToCaret();
    viewport()->update();
    QAccessibleTextCursorEvent moved(this, caret_);
    QAccessible::updateAccessibility(&moved);
}

void MarkedTextView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        if (hasSelection()) QApplication::clipboard()->setText(selectedText());
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        anchor_ = 0;
        moveCaret(static_cast<int>(text_.size()), true);
        return;
    }
    const bool keep = event->modifiers() & Qt::ShiftModifier;
    const bool far = event->modifiers() & Qt::ControlModifier;
    const int line = lineOf(caret_);
    const auto onLine = [&](int target) {
        target = std::clamp(target, 0, lineCount() - 1);
        return std::min(lineStart(target) + (caret_ - lineStart(line)), lineEnd(target));
    };
    switch (event->key()) {
    case Qt::Key_Left: moveCaret(caret_ - 1, keep); break;
    case Qt::Key_Right: moveCaret(caret_ + 1, keep); break;
    case Qt::Key_Up: moveCaret(offsetOnNextRow(-1), keep); break;
    case Qt::Key_Down: moveCaret(offsetOnNextRow(1), keep); break;
    case Qt::Key_PageUp: moveCaret(onLine(line - visibleLines()), keep); break;
    case Qt::Key_PageDown: moveCaret(onLine(line + visibleLines()), keep); break;
    case Qt::Key_Home: moveCaret(far ? 0 : lineStart(line), keep); break;
    case Qt::Key_End: moveCaret(far ? static_cast<int>(text_.size()) : lineEnd(line), keep); break;
    default: QAbstractScrollArea::keyPressEvent(event);
    }
}

// The offset one row up (-1) or down (1) from the caret, as near above or
// below it as that row allows: a wrapped line is several rows.
int MarkedTextView::offsetOnNextRow(int step) const {
    const int line = lineOf(caret_);
    const std::unique_ptr<QTextLayout> layout = layOutLine(line);
    const QTextLine row = layout->lineForTextPosition(caret_ - lineStart(line));
    if (!row.isValid()) return caret_;
    const qreal x = row.cursorToX(caret_ - lineStart(line));
    const int rowNumber = row.lineNumber() + step;
    if (rowNumber >= 0 && rowNumber < layout->lineCount())
        return lineStart(line) + layout->lineAt(rowNumber).xToCursor(x);
    const int next = line + step;
    if (next < 0) return 0;
    if (next >= lineCount()) return static_cast<int>(text_.size());
    const std::unique_ptr<QTextLayout> nextLayout = layOutLine(next);
    const QTextLine nextRow = nextLayout->lineAt(step > 0 ? 0 : nextLayout->lineCount() - 1);
    return lineStart(next) + nextRow.xToCursor(x);
}

void MarkedTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    moveCaret(offsetAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void MarkedTextView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    // Dragged past the top or the bottom: the text comes along a line at a time.
    QScrollBar& bar = *verticalScrollBar();
    if (event->position().y() < 0) bar.setValue(bar.value() - 1);
    if (event->position().y() > viewport()->height()) bar.setValue(bar.value() + 1);
    moveCaret(offsetAt(event->position().toPoint()), true);
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
