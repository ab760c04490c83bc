#include "viewer/viewer_piece.h"

namespace tessaly {

const std::string_view kViewerHeader =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 "
    "Symbol;}{\\f2\\froman\\fprq2 Times New Roman;}{\\f3\\froman Times New Roman;}{\\f4\\froman Times "
    "New Roman;}{\\f5\\fmodern\\fprq1 Courier New;} }\\deflang1033\\pard\\plain\\f2\\fs20  "
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";

std::string viewerPiece(std::string_view bodyText) {
    std::string piece;
    piece.reserve(kViewerHeader.size() + bodyText.size() + 1);
    piece += kViewerHeader;
    piece += bodyText;
    piece += '}';
    return piece;
}

}  // namespace tessaly
