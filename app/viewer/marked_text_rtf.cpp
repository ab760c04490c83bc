#include "viewer/marked_text_rtf.h"

#include <cstdint>

#include "viewer/highlight_markup.h"

namespace tessaly {

namespace {

// Fonts, the default paragraph and the colours (black, red for hits, blue),
// as the engine's viewer documents open.
constexpr std::string_view kViewerHeader =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 "
    "Symbol;}{\\f2\\froman\\fprq2 Times New Roman;}{\\f3\\froman Times New Roman;}{\\f4\\froman Times "
    "New Roman;}{\\f5\\fmodern\\fprq1 Courier New;} }\\deflang1033\\pard\\plain\\f2\\fs20  "
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";

void append(std::string& rtf, char16_t unit) {
    if (unit == u'\n') {
        rtf += kBodyParagraph;
    } else if (unit == u'\\' || unit == u'{' || unit == u'}') {
        rtf += '\\';
        rtf += static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x80) {
        rtf += static_cast<char>(unit);
    } else {
        rtf += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + "?";
    }
}

}  // namespace

std::string markedTextRtf(std::u16string_view text, const std::vector<TextSpan>& marks) {
    std::string rtf(kViewerHeader);
    rtf.reserve(rtf.size() + text.size() + text.size() / 4);
    auto mark = marks.begin();
    for (std::size_t at = 0; at < text.size(); ++at) {
        while (mark != marks.end() && mark->start + mark->length <= at) ++mark;
        const bool opens = mark != marks.end() && mark->start == at;
        if (opens) rtf += kHighlightOpening;
        append(rtf, text[at]);
        if (mark != marks.end() && at + 1 == mark->start + mark->length && at >= mark->start)
            rtf += kHighlightClosing;
    }
    rtf += '}';
    return rtf;
}

}  // namespace tessaly
