#include "platform/qt/rtf_writer.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "platform/qt/lossless_text.h"
#include "platform/rtf_escape.h"

namespace tessaly {

namespace {

struct RunStyle {
    bool bold = false;
    int colour = 0;
    int fontSize = 24;

    bool operator==(const RunStyle&) const = default;
};

int halfPoints(const QTextCharFormat& format, const QTextDocument& document) {
    double points = format.hasProperty(QTextFormat::FontPointSize)
                        ? format.fontPointSize()
                        : document.defaultFont().pointSizeF();
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

void appendRun(std::string& out, const RunStyle& style, const QString& text) {
    if (text.isEmpty()) return;
    out += '{';
    if (style.bold) out += "\\b";
    out += "\\cf" + std::to_string(style.colour);
    out += "\\fs" + std::to_string(style.fontSize);
    out += ' ';
    out += escapedText(text);
    out += '}';
}

std::string fontName(const QTextDocument& document) {
    std::string name = escapeRtfText(bytesFromText(document.defaultFont().family()));
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
    std::string body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) body += "\\par\n";
        RunStyle pendingStyle;
        QString pending;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const RunStyle style{format.fontWeight() > QFont::Medium, colourIndex(format),
                                 halfPoints(format, document)};
            // Qt splits runs on anything (a font family, an anchor); RTF needs
            // a new group only where what we write changes.
            if (!pending.isEmpty() && style != pendingStyle) {
                appendRun(body, pendingStyle, pending);
                pending.clear();
            }
            pendingStyle = style;
            pending += fragment.text();
        }
        appendRun(body, pendingStyle, pending);
    }

    std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil " + fontName(document) + ";}}";
    out += "{\\colortbl";
    for (const RtfColour& colour : colours_) {
        if (!colour.automatic)
            out += "\\red" + std::to_string(colour.red) + "\\green" + std::to_string(colour.green) +
                   "\\blue" + std::to_string(colour.blue);
        out += ';';
    }
    out += "}\n";
    out += body;
    out += "}\n";
    return out;
}

}  // namespace tessaly
