// The whole file as an RTF body for the quick viewer.
#pragma once

#include <cstdint>

namespace tyx12::detail {

// Returns false, leaving viewBuffer untouched, when the file cannot be read.
// Never writes at or beyond viewBuffer[fileSize + 51,200].
bool buildViewerText(const char* fileName, std::int32_t fileSize, char* viewBuffer);

}  // namespace tyx12::detail
