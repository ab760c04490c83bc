// How a folder and a name make a path: the one rule behind the walk, the
// file headings and the tree keys, so that all of them agree.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// The root "/" (or any folder already ending in "/") takes the name directly;
// any other folder gets "/" and then the name. Bytes are kept as they are:
// names on this system need not be UTF-8.
std::string joinPath(std::string_view folder, std::string_view name);

// The name a path ends in: all of it after the last "/", or the whole path
// when it holds none.
std::string_view fileNameOf(std::string_view path);

}  // namespace tessaly
