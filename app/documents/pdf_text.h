// The text of a PDF, page by page in reading order, as pdftotext gives it by
// default; a blank line between pages.
#pragma once

#include <cstddef>

#include "documents/document_text.h"

namespace tessaly {

DocumentText pdfText(int fd, std::size_t textLimit);

}  // namespace tessaly
