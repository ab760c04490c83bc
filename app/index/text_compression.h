// Documents' extracted text is kept compressed: text shrinks to about a
// quarter, and unpacking it is far quicker than reading the document again.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

std::string compressText(std::string_view text);
// Nothing when the bytes are not a whole compressed frame (a damaged row).
std::optional<std::string> decompressText(std::string_view compressed);

}  // namespace tessaly
