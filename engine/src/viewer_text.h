// The whole file as an RTF body for the quick viewer.
#pragma once

#include <cstdint>

namespace tyx12::detail {

// Returns false, leaving viewBuffer untouched, when the file cannot be read.
// Reads the file to its end, whatever its size, and writes the body up to the
// buffer's capacity, `capacityBase` + 51,200 bytes, never at or beyond it.
bool buildViewerText(const char* fileName, std::int32_t capacityBase, char* viewBuffer);
// The same for bytes the caller holds: a document's text.
bool buildViewerText(const unsigned char* bytes, std::size_t length, std::int32_t capacityBase, char* viewBuffer);

}  // namespace tyx12::detail
