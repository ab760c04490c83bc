// The text of an Office Open XML file: a .docx's body, then its footnotes and
// endnotes; a .pptx's slides in number order; a .xlsx's sheets in the
// workbook's order. Which one it is, the package's parts say.
#pragma once


#include <cstddef>

#include "documents/document_text.h"

namespace tessaly {

DocumentText officeOpenXmlText(int fd, std::size_t textLimit);

}  // namespace tessaly
