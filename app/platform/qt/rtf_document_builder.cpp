#include "platform/qt/rtf_document_builder.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <algorithm>
#include <string>

#include "platform/qt/lossless_text.h"
#include "platform/rtf_reader.h"

namespace tessaly {

namespace {

// The reader drops an empty last paragraph, so "text\par" and "text" would
// read alike, yet only the first ends its line. A private-use character
// appended behind the document shows which it was: it lands in a paragraph of
// its own exactly when the document ended with \par.
constexpr std::string_view kEndMark = "\\u-8192?";  // U+E000
constexpr std::string_view kEndMarkText = "\xEE\x80\x80";

std::vector<RtfParagraph> readWithTrailingBreak(std::string_view rtf) {
    std::string marked(rtf);
    marked += kEndMark;
    std::vector<RtfParagraph> paragraphs = readRtf(marked);
    // Inside a destination that was never closed the mark is skipped: then
    // nothing tells and the paragraphs stay as read.
    if (paragraphs.empty() || paragraphs.back().runs.empty()) return paragraphs;
    std::vector<RtfRun>& runs = paragraphs.back().runs;
    std::string& text = runs.back().text;
    if (text.ends_with(kEndMarkText)) {
        text.resize(text.size() - kEndMarkText.size());
        if (text.empty()) runs.pop_back();
    }
    return paragraphs;
}

// Characters QTextDocument gives a meaning of its own: a line end would split
// the paragraph, the frame and object marks would corrupt its structure.
QString documentText(std::string_view bytes) {
    QString text = textFromBytes(bytes);
    for (QChar& c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\n' || unit == u'\r')
            c = QChar::LineSeparator;
        else if (unit == 0xFDD0 || unit == 0xFDD1 || unit == QChar::ObjectReplacementCharacter)
            c = QChar::ReplacementCharacter;
    }
    return text;
}

QTextCharFormat runFormat(const RtfRun& run, const RtfColourTable& colours) {
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

}  // namespace

void RtfDocumentBuilder::insert(QTextCursor& cursor, std::string_view rtf) {
    if (std::optional<RtfColourTable> table = readRtfColourTable(rtf)) colours_ = std::move(*table);
    const std::vector<RtfParagraph> paragraphs = readWithTrailingBreak(rtf);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) cursor.insertBlock();
        for (const RtfRun& run : paragraphs[i].runs)
            cursor.insertText(documentText(run.text), runFormat(run, colours_));
    }
    cursor.endEditBlock();
}

}  // namespace tessaly
