// The extensions that "All" file types never searches: programs, libraries,
// sound, pictures, archives and other files without text worth finding.
#pragma once

#include <array>
#include <string_view>

namespace tessaly {

inline constexpr std::size_t excludedExtensionCount = 55;

// In the order the program has always kept them.
const std::array<std::string_view, excludedExtensionCount>& excludedExtensions();

// `extension` as fileExtension() gives it (lower-cased). The empty extension
// is never excluded.
bool isExcludedExtension(std::string_view extension);
// Whether the file's name ends in an excluded extension; asked for every
// file a walk lists, so without making the folded extension.
bool hasExcludedExtension(std::string_view name);

}  // namespace tessaly
