// The words of a text as a word index keeps them (see index_terms.h): its
// maximal runs of word characters, folded, each once, with each word's end
// reversed for finds with a star before the word. Fed the text a piece at a
// time as it is read.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>

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
    void restart() { current_.clear(), currentLength_ = 0, complete_ = false; }
    // The text ended: the word in hand is whole.
    void finish() { endWord(), complete_ = true; }
    // The whole text went through, to its end.
    bool complete() const { return complete_; }

    const std::unordered_set<std::u32string>& words() const { return words_; }
    const std::unordered_set<std::u32string>& reversedWords() const { return reversed_; }

private:
    void endWord();

    // The word in hand: its start, and when longer than twice what is kept,
    // its end after a gap.
    std::u32string current_;
    std::size_t currentLength_ = 0;
    bool complete_ = false;
    std::unordered_set<std::u32string> words_;
    std::unordered_set<std::u32string> reversed_;
};

}  // namespace tyx12::detail
