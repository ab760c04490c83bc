// The viewer's search: where the hit words stand in the text it shows.
#pragma once

#include "string_search.h"
#include "viewer_text.h"

namespace tyx12::detail {

// Searches as `request` says (every hit wanted, its own hit-word sink
// ignored) and hands `sink` the place of every hit word a result line would
// highlight, counted in the characters of the body streamViewerText makes of
// the same input. The input is held text, or an open file read from where it
// stands, which is read twice. False when it could not be read.
bool findHitWordPlaces(SearchRequest request, const TextPlaceSink& sink);

}  // namespace tyx12::detail
