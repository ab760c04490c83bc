// Walks a matching file from hit to hit and collects its result lines.
#pragma once

#include <cstdint>
#include <string>

#include "collected_text.h"
#include "file_text.h"
#include "query.h"
#include "result_line.h"
#include "text_view.h"

namespace tyx12::detail {

// Lines are appended only while the collected text is at most this long.
inline constexpr std::size_t kCollectLimit = 51200;

// Takes the place of a hit word, in characters from the text's first;
// returns false when no more are wanted.
struct HitWordSink {
    std::int32_t (*take)(void* context, std::uint64_t start, std::uint64_t length) = nullptr;
    void* context = nullptr;
    explicit operator bool() const { return take != nullptr; }
};

struct CollectOptions {
    bool smartSearch = false;
    long long contextWords = 10;
    bool allHits = false;
    std::int32_t nearbyWords = 0;
    // Characters the text must hold before the first hit: a text that starts
    // part way into the file must reach back as far as the hit's window may.
    std::size_t leadNeeded = 0;
    // Given: every hit word is handed here too, and the walk goes on to the
    // text's end however long the collected text grows. The text must be
    // read from its first character.
    HitWordSink hitWords;
};

struct CollectScratch {
    std::string line;
    LineScratch lineScratch;
};

// The most context words a window reaches over: more would let one window
// (and so the text held for it) grow without bound.
inline constexpr long long kMostContextWords = 1000;

// `text` gives the lines their characters (its shown text) and is where the
// hits are looked for (its searched text, folded when case is ignored); it is
// read from its current start. `collected` is overwritten. False when the
// first hit stands less than leadNeeded characters in.
bool collectLines(const Query& query, FileText& text, const CollectOptions& options,
                  CollectedText& collected, CollectScratch& scratch);

}  // namespace tyx12::detail
