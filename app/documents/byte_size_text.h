// A size as a problem names it: "256 MB", "64 KB", "100 bytes".
#pragma once

#include <cstddef>
#include <string>

namespace tessaly {

std::string byteSizeText(std::size_t bytes);

}  // namespace tessaly
