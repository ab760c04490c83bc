// Which document family a file belongs to, told by its content alone: a file
// named x.pdf that holds plain text is searched as text, and a PDF saved as
// x.txt is still searched as the words it shows.
#pragma once

#include <string_view>

namespace tessaly {

// `lockedOffice`: an Office file saved with a password, which is no zip but
// a compound file holding the encrypted package; its text cannot be read.
enum class DocumentKind { none, pdf, openDocument, officeOpenXml, epub, lockedOffice };

// `firstBytes` is the start of the file (the first 64 KB is plenty). A zip is
// a document only when its first entries say so: a `mimetype` entry naming an
// OpenDocument or EPUB type, or the parts of an Office Open XML package with
// a word/, xl/ or ppt/ part among them. A plain zip or jar is none.
DocumentKind documentKindOf(std::string_view firstBytes);

}  // namespace tessaly
