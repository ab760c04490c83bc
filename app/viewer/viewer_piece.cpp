#include "viewer/viewer_piece.h"

namespace tessaly {

const std::string_view kViewerHeader =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 "
    "Symbol;}{\\f2\\froman\\fprq2 Times New Roman;}{\\f3\\froman Times New Roman;}{\\f4\\froman Times "
    "New Roman;}{\\f5\\fmodern\\fprq1 Courier New;} }\\deflang1033\\pard\\plain\\f2\\fs20  "
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";

namespace {

// The header's second blank before the colour table is text, not a delimiter.
constexpr std::string_view kHeaderBlank = "\\fs20  {";

std::string piece(std::string_view header, std::string_view bodyText) {
    std::string text;
    text.reserve(header.size() + bodyText.size() + 1);
    text += header;
    text += bodyText;
    text += '}';
    return text;
}

}  // namespace

std::string viewerPiece(std::string_view bodyText) { return piece(kViewerHeader, bodyText); }

std::string viewerContinuation(std::string_view bodyText) {
    std::string header(kViewerHeader);
    const std::size_t blank = header.find(kHeaderBlank);
    if (blank != std::string::npos) header.erase(blank + kHeaderBlank.size() - 2, 1);
    return piece(header, bodyText);
}

}  // namespace tessaly
