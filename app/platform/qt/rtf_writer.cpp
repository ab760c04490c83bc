#include "platform/qt/rtf_writer.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/qt/lossless_text.h"
#include "platform/rtf_escape.h"

namespace tessaly {

namespace {

int halfPoints(const QTextCharFormat& format, const QFont& font) {
    double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : font.pointSizeF();
    if (points <= 0) points = 12;  // a font sized in pixels: RTF's own default
    return std::max(1, static_cast<int>(std::lround(points * 2)));
}

// Line breaks inside a paragraph become \line; everything else is text.
std::string escapedText(const QString& text) {
    std::string out;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(QChar::LineSeparator, start);
        out += escapeRtfText(bytesFromText(text.mid(start, end < 0 ? -1 : end - start)));
        if (end < 0) break;
        out += "\\line ";
        start = end + 1;
    }
    return out;
}

std::string fontName(const QFont& font) {
    std::string name = escapeRtfText(bytesFromText(font.family()));
    std::erase(name, ';');  // it would end the font table entry early
    return name.empty() ? "Sans Serif" : name;
}

}  // namespace

int RtfWriter::colourIndex(const QTextCharFormat& format) {
    const QBrush brush = format.foreground();
    const bool automatic =
        !format.hasProperty(QTextFormat::ForegroundBrush) || brush.style() == Qt::NoBrush;
    RtfColour wanted;
    wanted.automatic = automatic;
    if (!automatic) {
        const QColor colour = brush.color().toRgb();
        wanted.red = colour.red(), wanted.green = colour.green(), wanted.blue = colour.blue();
    }
    for (std::size_t i = 0; i < colours_.size(); ++i)
        if (colours_[i] == wanted) return static_cast<int>(i);
    // Text in the reader's own colour where the table names none: black is
    // what that colour is on paper, and what a table that starts with black
    // (ours always do) means by colour 0.
    if (automatic) {
        for (std::size_t i = 0; i < colours_.size(); ++i)
            if (colours_[i] == RtfColour{}) return static_cast<int>(i);
    }
    colours_.push_back(wanted);
    return static_cast<int>(colours_.size() - 1);
}

std::string RtfWriter::write(const QTextDocument& document) {
    start(document.defaultFont());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        startParagraph();
        for (auto it = block.begin(); !it.atEnd(); ++it)
            addRun(it.fragment().charFormat(), it.fragment().text());
    }
    return finish();
}

void RtfWriter::start(const QFont& font) {
    font_ = font;
    body_.clear();
    firstParagraph_ = true;
    pending_.clear();
}

void RtfWriter::startParagraph() {
    writePendingRun();
    if (!std::exchange(firstParagraph_, false)) body_ += "\\par\n";
}

void RtfWriter::addRun(const QTextCharFormat& format, const QString& text) {
    const RunStyle style{format.fontWeight() > QFont::Medium, colourIndex(format), halfPoints(format, font_)};
    // Qt splits runs on anything (a font family, an anchor); RTF needs a new
    // group only where what we write changes.
    if (!pending_.isEmpty() && style != pendingStyle_) writePendingRun();
    pendingStyle_ = style;
    pending_ += text;
}

void RtfWriter::writePendingRun() {
    if (pending_.isEmpty()) return;
    body_ += '{';
    if (pendingStyle_.bold) body_ += "\\b";
    body_ += "\\cf" + std::to_string(pendingStyle_.colour);
    body_ += "\\fs" + std::to_string(pendingStyle_.fontSize);
    body_ += ' ';
    body_ += escapedText(pending_);
    body_ += '}';
    pending_.clear();
}

std::string RtfWriter::finish() {
    writePendingRun();
    std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil " + fontName(font_) + ";}}";
    out += "{\\colortbl";
    for (const RtfColour& colour : colours_) {
        if (!colour.automatic)
            out += "\\red" + std::to_string(colour.red) + "\\green" + std::to_string(colour.green) +
                   "\\blue" + std::to_string(colour.blue);
        out += ';';
    }
    out += "}\n";
    out += body_;
    out += "}\n";
    body_.clear();
    return out;
}

}  // namespace tessaly
