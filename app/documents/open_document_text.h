// The text of an OpenDocument file (.odt, .ods, .odp and the rest): its
// content.xml, paragraphs and headings in order, table cells separated by
// tabs, rows by newlines, sheets and slides by a blank line.
#pragma once


#include <cstddef>

#include "documents/document_text.h"

namespace tessaly {

DocumentText openDocumentText(int fd, std::size_t textLimit);

}  // namespace tessaly
