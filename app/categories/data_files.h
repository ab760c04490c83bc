// The names of the files this subsystem keeps in the data folder, and how a
// data file's path is made from them.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr std::string_view categoryFileName = "tyindex.ini";
inline constexpr std::string_view wordFileName = "tyword.ini";
// Where a rewrite of each file is written before it is renamed over the original.
inline constexpr std::string_view categoryTemporaryName = "cattemp.ty~";
inline constexpr std::string_view wordTemporaryName = "texttemp.ty~";

// The data folder ends in "/" as recorded at start-up; one that does not gets
// the "/" here, so that a caller's slip cannot put the file beside the folder.
std::string dataFilePath(std::string_view dataFolder, std::string_view name);

}  // namespace tessaly
