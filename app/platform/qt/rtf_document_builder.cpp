#include "platform/qt/rtf_document_builder.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <algorithm>
#include <string>

#include "platform/qt/lossless_text.h"
#include "platform/rtf_escape.h"
#include "platform/rtf_reader.h"

namespace tessaly {

// Characters QTextDocument gives a meaning of its own: a line end would split
// the paragraph, the frame and object marks would corrupt its structure.
namespace {

void replaceStructureCharacters(std::u16string& text, std::size_t from) {
    for (auto unit = text.begin() + static_cast<std::ptrdiff_t>(from); unit != text.end(); ++unit) {
        if (*unit == u'\n' || *unit == u'\r')
            *unit = QChar::LineSeparator;
        else if (*unit == 0xFDD0 || *unit == 0xFDD1 || *unit == QChar::ObjectReplacementCharacter)
            *unit = QChar::ReplacementCharacter;
    }
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void appendRtfRunText(std::u16string& text, std::string_view bytes) {
    const std::size_t from = text.size();
    appendUtf16FromBytes(text, bytes);
    replaceStructureCharacters(text, from);
}

void appendRtfRunText(std::u16string& text, std::u16string_view units) {
    // Most text holds none of the units that need a look: it goes in whole.
    const auto needsLook = [](char16_t unit) {
        return unit == u'\n' || unit == u'\r' || unit >= 0xD800;
    };
    if (std::none_of(units.begin(), units.end(), needsLook)) {
        text.append(units);
        return;
    }
    const std::size_t from = text.size();
    text.reserve(from + units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (isHighSurrogate(unit) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
            text += unit;
            text += units[++i];
        } else if ((isHighSurrogate(unit) || isLowSurrogate(unit)) && !(unit >= 0xDC80 && unit <= 0xDCFF)) {
            text += u'\uFFFD';  // a lone surrogate that no escape of ours produces
        } else {
            text += unit;
        }
    }
    replaceStructureCharacters(text, from);
}

QString rtfRunText(std::string_view bytes) {
    std::u16string text;
    appendRtfRunText(text, bytes);
    // Not fromUtf16: it takes a leading U+FEFF or U+FFFE for a byte-order
    // mark, and drops it or swaps every unit after it.
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QTextCharFormat rtfRunFormat(const RtfStyle& run, const RtfColourTable& colours) {
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    // RTF allows sizes up to 1,638 points; beyond that, or at 0, the layout
    // would be absurd.
    format.setFontPointSize(std::clamp(run.fontSize, 2, 3276) / 2.0);
    if (run.colour >= 0 && static_cast<std::size_t>(run.colour) < colours.size()) {
        const RtfColour& colour = colours[static_cast<std::size_t>(run.colour)];
        if (!colour.automatic) format.setForeground(QColor(colour.red, colour.green, colour.blue));
    }
    return format;
}

void RtfDocumentBuilder::insert(QTextCursor& cursor, std::string_view rtf) {
    if (std::optional<RtfColourTable> table = readRtfColourTable(rtf)) colours_ = std::move(*table);
    const std::vector<RtfParagraph> paragraphs = readRtfPiece(rtf);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) cursor.insertBlock();
        for (const RtfRun& run : paragraphs[i].runs)
            cursor.insertText(rtfRunText(run.text), rtfRunFormat(run, colours_));
    }
    cursor.endEditBlock();
}

}  // namespace tessaly
