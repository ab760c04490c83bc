#include "viewer/qt/page_flow.h"

#include <QPaintDevice>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <algorithm>
#include <cmath>

namespace tessaly {

namespace {

// A paragraph is laid out this many characters at a time: a file of one line
// of many megabytes would otherwise be shaped whole, a gigabyte of glyphs,
// and measured in one run wider than the layout's numbers reach.
constexpr qsizetype kPieceLength = 1 << 14;
// Margins and indents in a document are pixels of a 96-dpi screen; on paper
// they keep the size they have there, whatever screen the program runs on.
constexpr qreal kFormatDpi = 96;

qsizetype pieceLength(const QString& text, qsizetype from) {
    qsizetype length = std::min(kPieceLength, text.size() - from);
    if (from + length < text.size() && text.at(from + length - 1).isHighSurrogate()) --length;
    return length;
}

// The formats of `length` characters from `from`, counted from there.
QList<QTextLayout::FormatRange> formatsOf(const QList<QTextLayout::FormatRange>& formats,
                                          qsizetype from, qsizetype length) {
    QList<QTextLayout::FormatRange> piece;
    for (const QTextLayout::FormatRange& range : formats) {
        const qsizetype start = std::max<qsizetype>(range.start, from);
        const qsizetype end = std::min<qsizetype>(range.start + range.length, from + length);
        if (start < end)
            piece.append(
                {static_cast<int>(start - from), static_cast<int>(end - start), range.format});
    }
    return piece;
}

class PageFlow {
public:
    PageFlow(const QTextDocument& document, QPaintDevice& device, QSizeF page,
             const PlaceLine& place)
        : document_(document),
          device_(device),
          page_(page),
          place_(place),
          scale_(device.logicalDpiY() / kFormatDpi) {}

    bool run() {
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next())
            if (!flowBlock(block)) return false;
        return true;
    }

private:
    bool flowBlock(const QTextBlock& block);
    QTextOption textOption(const QTextBlock& block) const;
    bool placeLine(QTextLine& line, qreal x);

    const QTextDocument& document_;
    QPaintDevice& device_;
    const QSizeF page_;
    const PlaceLine& place_;
    const qreal scale_;
    int pageNumber_ = 1;
    qreal y_ = 0;
    qreal bottomMargin_ = 0;  // of the paragraph before
};

bool PageFlow::flowBlock(const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    const qreal indent =
        format.indent() + (block.textList() ? block.textList()->format().indent() : 0);
    const qreal left = (format.leftMargin() + indent * document_.indentWidth()) * scale_;
    const qreal width = page_.width() - left - format.rightMargin() * scale_;
    // The space between two paragraphs is the larger of their margins, and
    // none above the first, as on screen.
    if (block.previous().isValid()) y_ += std::max(format.topMargin(), bottomMargin_) * scale_;
    bottomMargin_ = format.bottomMargin();

    const QString text = block.text();
    // A paragraph's runs bring their own fonts; an empty one is as high as
    // the font of the paragraph itself.
    const QFont font(text.isEmpty() ? block.charFormat().font().resolve(document_.defaultFont())
                                    : document_.defaultFont(),
                     &device_);
    const QTextOption option = textOption(block);
    const QList<QTextLayout::FormatRange> formats = block.textFormats();
    for (qsizetype from = 0;;) {
        const qsizetype length = pieceLength(text, from);
        const bool lastPiece = from + length == text.size();
        QTextLayout layout(text.mid(from, length), font, &device_);
        layout.setTextOption(option);
        layout.setFormats(from == 0 && lastPiece ? formats : formatsOf(formats, from, length));
        layout.beginLayout();
        qsizetype next = from + length;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            const qreal firstIndent =
                from == 0 && line.lineNumber() == 0 ? format.textIndent() * scale_ : 0;
            line.setLineWidth(std::max<qreal>(width - firstIndent, 1));
            // The end of the piece may have cut this line short: the next
            // piece lays it out again from its start.
            if (!lastPiece && line.lineNumber() > 0 &&
                line.textStart() + line.textLength() >= length) {
                next = from + line.textStart();
                break;
            }
            if (!placeLine(line, left + firstIndent)) return false;
        }
        layout.endLayout();
        if (lastPiece) return true;
        from = next;
    }
}

QTextOption PageFlow::textOption(const QTextBlock& block) const {
    QTextOption option = document_.defaultTextOption();
    // On paper nothing may run off the edge: the whole text is printed.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTextDirection(block.textDirection());
    const QTextBlockFormat format = block.blockFormat();
    // A paragraph read from right to left starts at the right.
    const Qt::Alignment alignment =
        format.hasProperty(QTextFormat::BlockAlignment) ? format.alignment() : option.alignment();
    option.setAlignment(QStyle::visualAlignment(block.textDirection(), alignment));
    // Tab stops need no scaling: the layout measures them by its font's
    // resolution, which is the printer's.
    if (!format.tabPositions().isEmpty()) option.setTabs(format.tabPositions());
    return option;
}

bool PageFlow::placeLine(QTextLine& line, qreal x) {
    // A line taller than a whole page stands alone on one rather than nowhere.
    if (y_ > 0 && y_ + line.height() > page_.height()) {
        ++pageNumber_;
        y_ = 0;
    }
    line.setPosition(QPointF(x, y_));
    // The advance QTextDocument gives a line, so that a print breaks its
    // pages where the same text laid out as a document would.
    y_ += std::ceil(line.ascent() + line.descent() + line.leading());
    return place_(line, pageNumber_);
}

}  // namespace

void flowPages(const QTextDocument& document, QPaintDevice& device, QSizeF page,
               const PlaceLine& place) {
    PageFlow(document, device, page, place).run();
}

}  // namespace tessaly
