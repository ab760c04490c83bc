// The text of the single-file view beside the result tree: the file's date
// and size in blue bold, a blank line, then the hit lines the engine returned
// for it (or the note that there were too many).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

// Kilobytes as the view shows them: rounded down, but never 0, so that a
// small or empty file does not look like a missing one.
std::uint64_t sizeInKb(std::uint64_t bytes);

// The whole RTF document for the view. `lines` is the engine's result text,
// taken up to its first NUL; `resultLength` is what the engine returned.
std::string singleFileText(std::string_view dateText, std::uint64_t fileSize,
                           std::string_view lines, std::uint32_t resultLength);

}  // namespace tessaly
