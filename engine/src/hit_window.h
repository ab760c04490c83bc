// The stretch of text around a hit that becomes its result line.
#pragma once

#include <cstddef>

#include "text_view.h"

namespace tyx12::detail {

struct HitWindow {
    std::size_t start = 0;
    std::size_t end = 0;  // one past the last character
};

struct WindowOptions {
    long long contextWords = 10;
    bool smartSearch = false;
};

// Reaches up to contextWords + 1 words to each side of the hit at `hit`
// (`hitLength` characters, always held whole), never across a line break nor
// into a run of more than 20 characters without a space, and under smart
// search not across unspaced punctuation.
HitWindow findHitWindow(TextView searched, std::size_t hit, std::size_t hitLength, const WindowOptions& options);

// How many characters a window may reach to either side of its hit.
long long windowReach(const WindowOptions& options);

}  // namespace tyx12::detail
