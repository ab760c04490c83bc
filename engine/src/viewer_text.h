// The whole file as an RTF body for the quick viewer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "input_file.h"

namespace tyx12::detail {

// Returns false, leaving viewBuffer untouched, when the file cannot be read.
// Reads the file to its end, whatever its size, and writes the body up to the
// buffer's capacity, `capacityBase` + 51,200 bytes, never at or beyond it.
bool buildViewerText(const char* fileName, std::int32_t capacityBase, char* viewBuffer);
// The same for bytes the caller holds: a document's text.
bool buildViewerText(const unsigned char* bytes, std::size_t length, std::int32_t capacityBase, char* viewBuffer);

// The same body of a whole text, with no cap, handed to `sink` a piece at a
// time as it is made; a piece never ends inside an escape. Stops early when
// `sink` returns 0. False when nothing could be read.
using ViewerPieceSink = int32_t (*)(void* context, const char* rtf, uint64_t length);
bool streamViewerText(int openFile, ViewerPieceSink sink, void* context);
bool streamViewerText(const unsigned char* bytes, std::size_t length, ViewerPieceSink sink, void* context);

// A stretch of a text, in its characters.
struct TextPlace {
    std::size_t start = 0;
    std::size_t length = 0;
};
// Takes a place; false when no more are wanted.
using TextPlaceSink = std::function<bool(std::size_t start, std::size_t length)>;

// Hands `places`, counted in the search's text of `file` (in order and
// apart), to `sink` counted in the characters of the body streamViewerText
// makes of it, a paragraph one. Reads `file` from its current byte, which
// must be its first, until the last place is passed. False when it cannot
// be read.
bool translateToViewerPlaces(InputFile& file, const std::vector<TextPlace>& places, TextPlaceSink sink);

}  // namespace tyx12::detail
