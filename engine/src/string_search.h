// The whole of one search: read, rule out, combine, collect, deliver.
#pragma once

#include <array>
#include <cstdint>

#include "file_text.h"
#include "input_file.h"
#include "line_collector.h"
#include "query.h"
#include "text_words.h"

namespace tyx12::detail {

struct SearchRequest {
    const char* fileName = nullptr;
    int openFile = -1;  // used instead of fileName when not negative; left open
    // The input's first bytes, read already: openFile stands just after
    // them, or with no openFile they are the whole input.
    const unsigned char* held = nullptr;
    std::size_t heldLength = 0;
    // Or text the caller makes as the search asks for it.
    InputFile::Growing growing{};
    bool ignoreCase = false;
    std::array<char*, kWordSlots> words{};
    std::array<std::int32_t, kWordSlots - 1> codes{};
    bool smartSearch = false;
    std::int32_t contextWords = 10;
    bool allHits = false;
    std::int32_t nearbyWords = 0;
    // Given: the hit words' places go here as well (see collectLines).
    HitWordSink hitWords;
    // Given: the whole text is read, whatever the answer, and its words go
    // here (for a word index).
    TextWords* textWords = nullptr;

    // How the work is done, which never changes the answer: tests hold the
    // fast ways against the plain ones.
    bool ruleOutByRawBytes = true;
    std::size_t rawBufferSize = 0;  // 0: the thread's own buffer
    TextSizes textSizes;
};

// Searches the whole file, whatever its size. Returns the length of the
// collected text; writes it to resultBuffer when it fits, an empty text
// otherwise. Leaves resultBuffer untouched when the file cannot be opened or
// the working buffers cannot be had.
std::uint32_t runSearch(const SearchRequest& request, char* resultBuffer);

}  // namespace tyx12::detail
