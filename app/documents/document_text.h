// A document's text as the person sees it in the document: what the search
// and the viewer read in place of a PDF's, an office file's or a book's bytes.
#pragma once


#include <cstddef>
#include <string>

#include "documents/document_kind.h"

namespace tessaly {

struct DocumentText {
    // UTF-8; each paragraph ends with '\n'; a blank line between pages,
    // slides, sheets and chapters.
    std::string text;
    // Empty when the text was read; otherwise why not all of it: "it is
    // encrypted", "it is damaged", "its text is larger than 256 MB"... Text
    // read before a limit was reached is still in `text`.
    std::string problem;
};

// Reads the document that `fd` is open on. The descriptor stays the caller's:
// it is neither closed nor moved, and the file is never loaded whole. Safe to
// call for different documents on different threads at once.
inline constexpr std::size_t kDocumentTextLimit = std::size_t{256} << 20;

// Why a document's reading ran out of memory: the reader is limited to less
// than the machine has, and this document asked for more.
inline constexpr char kNeedsTooMuchMemory[] = "it needs too much memory";

DocumentText documentText(int fd, DocumentKind kind, std::size_t textLimit = kDocumentTextLimit);

}  // namespace tessaly
