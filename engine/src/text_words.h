// The words of a text as a word index keeps them (see index_terms.h): its
// maximal runs of word characters, folded, each once, with each word's end
// reversed for finds with a star before the word. Fed the text a piece at a
// time as it is read; a text of many megabytes holds a few thousand distinct
// words, so each occurrence costs one hash probe and no allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text_view.h"

namespace tyx12::detail {

class TextWords {
public:
    // The characters a word keeps from its start, and reversed from its end:
    // an index matches a longer term by its start.
    static constexpr std::size_t kKeptCharacters = 64;

    // The next characters of the text, folded or not.
    void take(const Char* characters, std::size_t count);
    // The text goes on from its start again (read anew): the word in hand was
    // cut off and is dropped.
    void restart();
    // The text ended: the word in hand is whole.
    void finish();
    // The whole text went through, to its end.
    bool complete() const { return complete_; }

    // Each distinct word's start (UTF-8), then each distinct word's end
    // reversed, to `take(reversed, word)`; stops when it returns false.
    template <class Take>
    void forEach(Take take) const {
        for (const Entry& entry : entries_)
            if (!take(false, std::string_view(arena_.data() + entry.start, entry.length))) return;
        std::string reversed;
        for (const Entry& entry : entries_) {
            reversedEnd(entry, reversed);
            if (!take(true, std::string_view(reversed))) return;
        }
    }
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::uint32_t start;   // in arena_: the word's start, then for a long word its end
        std::uint32_t length;  // of the start
        std::uint32_t endLength;  // of a long word's end, kept after its start; 0 for a short word
        std::uint64_t hash;
    };
    // FNV-1a, taken a byte at a time as the word's start is read.
    static constexpr std::uint64_t kHashBasis = 0xcbf29ce484222325ull;
    static constexpr std::uint64_t kHashPrime = 0x100000001b3ull;
    static std::uint64_t hashOn(std::uint64_t hash, const char* bytes, std::size_t count);

    // Ends the word in hand, if any, from its state as take() held it: its
    // length, the bytes of its start and their hash.
    void endWord(std::size_t length, std::size_t startBytes, std::uint64_t startHash);
    void insert(std::uint64_t hash);
    void grow();
    void reversedEnd(const Entry& entry, std::string& out) const;

    // The word in hand, folded: its first characters as UTF-8 and its latest
    // ones in a ring. A word seen before, as nearly every one is, is found
    // without a copy.
    char start_[kKeptCharacters * 4] = {};
    std::size_t startBytes_ = 0;
    std::uint64_t startHash_ = kHashBasis;
    Char end_[kKeptCharacters] = {};
    std::size_t length_ = 0;  // in characters
    char longWord_[kKeptCharacters * 8] = {};  // a long word's start and end, put together
    bool complete_ = false;

    std::string arena_;
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> table_;  // entry number + 1, or 0 for an empty slot
};

}  // namespace tyx12::detail
