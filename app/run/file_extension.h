// A file's extension as the file-type filter sees it.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// The text after the last "." of the name, without trailing blanks,
// lower-cased; empty for a name without ".". So "Report.DOC" gives "doc",
// "backup.tar.gz" "gz", ".profile" "profile", and "README" and "name." nothing.
std::string fileExtension(std::string_view name);
// The same, not lower-cased.
std::string_view unfoldedExtension(std::string_view name);

}  // namespace tessaly
