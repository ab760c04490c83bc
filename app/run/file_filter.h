// Which listed files reach the engine: the date window, the file-name start
// letters and the file type, in that order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "run/date_window.h"

namespace tessaly {

// The option controls the filters read, by their names.
struct FileFilterOptions {
    std::string nameStartLetters;  // letters file names must begin with; blank = any
    bool everyType = true;         // every extension but the excluded ones
    bool listedTypesOnly = false;  // only extensions found in typeList
    std::string typeList;  // the extension list, free text
};

struct FileVerdict {
    std::string path;  // the folder joined with the name, case kept
    bool searched = false;
};

// True when the name, lower-cased and trimmed, begins with the letters
// (trimmed, lower-cased); blank letters admit every name.
bool startLettersAdmit(std::string_view name, std::string_view letters);

// The file-type rule for an extension as fileExtension() gives it. With
// "All" only the excluded extensions fail; with a list the extension must
// occur anywhere in its lower-cased text, so the list needs no separator and
// "txt doc" also admits "do", "t" and "xt"; with neither, every file passes.
bool fileTypeAdmits(std::string_view extension, const FileFilterOptions& options);

// Whether a file of `size` bytes is searched when files larger than
// `largestFileSize` are not; 0 admits any size.
bool sizeAdmits(std::uint64_t size, std::uint64_t largestFileSize);

// The same for a listed file, when the listing told its size. A file the
// listing left unexamined passes here: its size is known only once it is
// open, and the search of it checks it then (RunPlan::scope).
bool listedSizeAdmits(const DirectoryEntry& file, std::uint64_t largestFileSize);

// Whether the run searches this listed file. `file` carries the name and the
// last-modified time from the folder listing; its date is taken in local time.
bool fileAdmitted(const DirectoryEntry& file, const DateWindow& window, const FileFilterOptions& options);
// The same, with the file's path.
FileVerdict filterFile(const std::string& folder, const DirectoryEntry& file,
                       const DateWindow& window, const FileFilterOptions& options);

}  // namespace tessaly
