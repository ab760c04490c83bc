// The hit iteration's question, "which word comes next, and where?", over a
// text that is read as the search goes: a hit is given only once no word can
// still turn out to come earlier in text not read yet.
#pragma once

#include <cstddef>
#include <vector>

#include "file_text.h"
#include "search_word.h"
#include "word_find.h"

namespace tyx12::detail {

class HitFinder {
public:
    // `reach`: how far before a hit its window may look; that much stays held.
    HitFinder(const std::vector<const SearchWord*>& words, FileText& text, std::size_t reach);

    // The earliest occurrence of any word at or after `from`; on equal
    // positions the earlier word wins. Reading more may move positions back:
    // `from` moves with them, and the caller's other positions by what
    // droppedSince() then tells.
    Hit next(std::size_t& from);

    // Reads on, keeping what lies from `keepFrom` on; returns how far the
    // positions moved back. The finder's own positions move with them.
    std::size_t readMore(std::size_t keepFrom);

private:
    struct WordState {
        std::size_t searchedFrom = kNotFound;  // the start the state below belongs to
        std::size_t found = kNotFound;
        std::size_t resumeAt = 0;
        bool known = false;
    };
    void restartIfStale(std::size_t w, std::size_t from);

    const std::vector<const SearchWord*>& words_;
    FileText& text_;
    std::size_t reach_;
    std::vector<WordState> states_;
};

}  // namespace tyx12::detail
