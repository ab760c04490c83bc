#include "run/file_filter.h"

#include "platform/blanks.h"
#include "run/excluded_extensions.h"
#include "run/file_extension.h"
#include "run/filter_text.h"
#include "platform/path_join.h"

namespace tessaly {

bool startLettersAdmit(std::string_view name, std::string_view letters) {
    // The letters are compared trimmed, and so is their count: a trailing
    // blank left in the field must not make every name too short to match.
    const std::string start = lowerCased(trimBlanks(letters));
    if (start.empty()) return true;
    const std::string folded = lowerCased(trimBlanks(name));
    return std::string_view(folded).starts_with(start);
}

bool fileTypeAdmits(std::string_view extension, const FileFilterOptions& options) {
    if (options.everyType) return !isExcludedExtension(extension);
    if (options.listedTypesOnly) return lowerCased(options.typeList).find(extension) != std::string::npos;
    return true;
}

bool sizeAdmits(std::uint64_t size, std::uint64_t largestFileSize) {
    return largestFileSize == 0 || size <= largestFileSize;
}

bool listedSizeAdmits(const DirectoryEntry& file, std::uint64_t largestFileSize) {
    return !file.examined || sizeAdmits(file.size, largestFileSize);
}

bool fileAdmitted(const DirectoryEntry& file, const DateWindow& window, const FileFilterOptions& options) {
    if (window.kind != DateWindow::Kind::None && !window.admits(yyyymmddOf(localDate(file.modified))))
        return false;
    if (!startLettersAdmit(file.name, options.nameStartLetters)) return false;
    if (options.everyType) return !hasExcludedExtension(file.name);
    return fileTypeAdmits(fileExtension(file.name), options);
}

FileVerdict filterFile(const std::string& folder, const DirectoryEntry& file,
                       const DateWindow& window, const FileFilterOptions& options) {
    return {joinPath(folder, file.name), fileAdmitted(file, window, options)};
}

}  // namespace tessaly
