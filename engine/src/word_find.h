// The word finds: whole word, or a core with a star's neighbour rule.
#pragma once

#include <cstddef>
#include <limits>

#include "search_word.h"
#include "text_view.h"

namespace tyx12::detail {

inline constexpr std::size_t kNotFound = std::numeric_limits<std::size_t>::max();

// Position of the first occurrence of the word's core at or after `from` that
// passes the word's neighbour test, or kNotFound. The edges of the text count
// as boundaries.
std::size_t findWord(TextView text, std::size_t from, const SearchWord& word);

// The same over a text of which only a part has been read so far. Either the
// answer is known from the part (`position`, kNotFound when the part is the
// whole text and holds none), or the search must go on at `resumeAt` once
// more text has been read: everything before it has been ruled out exactly as
// findWord over the whole text would have ruled it out.
struct PartialFind {
    std::size_t position = kNotFound;
    std::size_t resumeAt = kNotFound;  // kNotFound: the answer is known
    bool known() const { return resumeAt == kNotFound; }
};
PartialFind findWordInPart(TextView part, bool partIsWhole, std::size_t from, const SearchWord& word);

// Finds the same word again and again over one text with rising start
// positions, reusing the last answer where that cannot change the result.
class WordCursor {
public:
    WordCursor() = default;
    WordCursor(TextView text, const SearchWord* word) : text_(text), word_(word) {}

    std::size_t next(std::size_t from);

private:
    TextView text_;
    const SearchWord* word_ = nullptr;
    std::size_t searchedFrom_ = kNotFound;
    std::size_t found_ = kNotFound;
};

struct Hit {
    std::size_t position = kNotFound;
    std::size_t length = 0;
    bool found() const { return position != kNotFound; }
};

// The earliest next occurrence of any of the words from `from`, each searched
// with its own cursor; on equal positions the earlier word wins.
template <typename Cursor>
Hit earliestHit(Cursor* cursors, const SearchWord* const* words, std::size_t count,
                std::size_t from) {
    Hit hit;
    for (std::size_t w = 0; w < count; ++w) {
        const std::size_t at = cursors[w].next(from);
        if (at < hit.position) hit = {at, words[w]->hitLength()};
    }
    return hit;
}

}  // namespace tyx12::detail
