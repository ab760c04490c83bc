// Walks a matching file from hit to hit and collects its result lines.
#pragma once

#include <cstdint>
#include <string>

#include "collected_text.h"
#include "query.h"
#include "result_line.h"
#include "text_view.h"

namespace tyx12::detail {

// Lines are appended only while the collected text is at most this long.
inline constexpr std::size_t kCollectLimit = 51200;

struct CollectOptions {
    bool smartSearch = false;
    long long contextWords = 10;
    bool allHits = false;
    std::int32_t nearbyWords = 0;
};

struct CollectScratch {
    std::string line;
    LineScratch lineScratch;
};

// `normalised` gives the lines their characters; `searched` is where the hits
// are looked for (the folded text when case is ignored). `collected` is
// overwritten.
void collectLines(const Query& query, TextView normalised, TextView searched,
                  const CollectOptions& options, CollectedText& collected, CollectScratch& scratch);

}  // namespace tyx12::detail
