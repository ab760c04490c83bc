// The four word slots of one call and the codes between them.
#pragma once

#include <array>
#include <cstdint>

#include "search_word.h"

namespace tyx12::detail {

enum class Link { And, Or, Not, Nearby };

inline constexpr int kWordSlots = 4;

// Anything that is not OR, NOT or NEARBY joins the AND-group, as the first word
// always does.
Link linkFromCode(std::int32_t code);

struct WordSlot {
    char* buffer = nullptr;  // the caller's copy: lowered and marked in place
    bool present = false;
    SearchWord word;
};

struct Query {
    std::array<WordSlot, kWordSlots> slots;
    std::array<Link, kWordSlots - 1> links{};

    // Role of the word in slot i: the link standing before it.
    Link roleOf(int slot) const { return slot == 0 ? Link::And : links[slot - 1]; }
    bool anyPresent() const;
    bool anyLink(Link link) const;
};

// `fold`: the words are looked for in the folded text.
Query makeQuery(const std::array<char*, kWordSlots>& buffers,
                const std::array<std::int32_t, kWordSlots - 1>& codes, bool fold);

// The same query, kept by the calling thread: a run asks about the same words
// file after file, and they are made again only when they change. It stays
// the caller's until its next call on this thread.
Query& threadQuery(const std::array<char*, kWordSlots>& buffers,
                   const std::array<std::int32_t, kWordSlots - 1>& codes, bool fold);

// Lower-cases every word buffer in place, A to Z only: the caller sees its
// words as before, and the folding of other letters happens on the copies.
void lowerWords(const std::array<char*, kWordSlots>& buffers);

// The text a word is overwritten with to take it out of the result lines.
inline constexpr char kExcludedWordMarker[] = "a";

// After the combining rule: a word reading exactly "a" no longer takes part.
void dropExcludedWords(Query& query);

}  // namespace tyx12::detail
