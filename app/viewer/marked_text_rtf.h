// The viewer's text as the RTF document that Save writes and Print lays out:
// the engine's own viewer markup, so that a saved file reads as it always did.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/text_span.h"

namespace tessaly {

// `marks` in order and apart, as the viewer holds them; each becomes a
// highlight group, each line break a paragraph.
std::string markedTextRtf(std::u16string_view text, const std::vector<TextSpan>& marks);

}  // namespace tessaly
