// What marks the hit words in the viewer's text as the text is made.
#pragma once

#include <string_view>
#include <vector>

#include "platform/text_span.h"

namespace tessaly {

class TextMarker {
public:
    virtual ~TextMarker() = default;
    // The hit words found in `text` since the last call, in order and apart.
    // `text` starts as it did before and is longer, or as long; with `whole`
    // it is complete, and what is not found now never will be.
    virtual std::vector<TextSpan> advance(std::u16string_view text, bool whole) = 0;
};

}  // namespace tessaly
