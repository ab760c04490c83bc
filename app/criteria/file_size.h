// A file size as people type it to grep-like tools: a whole number of bytes,
// or of kibibytes, mebibytes or gibibytes with a K, M or G after it ("500",
// "64K", "10M", "2G"), as ripgrep's --max-filesize takes it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// Nothing for text that is no such size, or one past 2^64 - 1 bytes.
std::optional<std::uint64_t> parseFileSize(std::string_view text);

// The size in the largest unit that divides it whole: "10 MB", "64 KB", "1500 bytes".
std::string fileSizeText(std::uint64_t bytes);

}  // namespace tessaly
