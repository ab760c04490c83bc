// The text of an EPUB book: the chapters its package lists in reading order
// (the spine), each chapter's XHTML body as paragraphs, a blank line between
// chapters.
#pragma once


#include <cstddef>

#include "documents/document_text.h"

namespace tessaly {

DocumentText epubText(int fd, std::size_t textLimit);

}  // namespace tessaly
