// The section file: the shape shared by the category file (a Category's
// folders) and the word file (a Category's saved search words). A header line
// "[name]" starts a section and its entry lines follow, one entry per line,
// each written with CR LF; LF alone is read as well.
//
// Every operation first makes sure the file exists, so a missing file reads as
// an empty one and is there, empty, afterwards. Text stays as the file's bytes
// (UTF-8 here). Failures of the file system come back as a Failure naming the
// operation and the path; the file is never left half rewritten.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/error_codes.h"
#include "platform/file_system.h"

namespace tessaly {

// Adds to `names`, in file order, the name of every header line, duplicates
// and empty names included.
Failure listCategoryNames(FileSystem& files, const std::string& path,
                          std::vector<std::string>& names);

// Adds to `entries` the entries of every section named `name` (case-sensitive),
// trimmed of blanks, blank lines dropped, a later section of the name
// continuing the list. Any line holding both "[" and "]" ends a section, and
// an entry line whose raw text is the name itself is passed over. A line
// holding a NUL byte is damage, not an entry: it is left out and counted in
// `unusableLines`.
Failure readSection(FileSystem& files, const std::string& path, const std::string& name,
                    std::vector<std::string>& entries, std::size_t* unusableLines = nullptr);

// Whether the file holds a section named `name`, by the same rule
// replaceSection uses to find it.
Failure hasSection(FileSystem& files, const std::string& path, const std::string& name,
                   bool& found);

// Gives the section named `name` exactly the non-empty `entries`, in order, or
// with no entries given removes it; every other line is kept. The first
// section of the name takes the entries and any later one of that name goes,
// so that the list read back is the list written. When no section of the name
// exists the file is left as it is. The new text is written to `temporaryPath`
// (in the same folder) and renamed over the file, so a failure or a crash
// leaves the original whole.
Failure replaceSection(FileSystem& files, const std::string& path, const std::string& temporaryPath,
                       const std::string& name,
                       const std::optional<std::vector<std::string>>& entries);

// replaceSection with no entries: every section of the name goes.
Failure removeSection(FileSystem& files, const std::string& path, const std::string& temporaryPath,
                      const std::string& name);

// Adds a section named `name` with the non-empty `entries` at the end of the
// file.
Failure appendSection(FileSystem& files, const std::string& path, const std::string& name,
                      const std::vector<std::string>& entries);

}  // namespace tessaly
