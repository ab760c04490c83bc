// What a search asks the index about: the files that may hold a word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

enum class TermShape : std::uint8_t {
    word,            // exactly this word
    prefix,          // any word that begins with it (a trailing wildcard)
    reversedPrefix,  // any reversed word that begins with it (a leading wildcard)
};

struct IndexTerm {
    std::string text;  // folded as the recorded words are
    TermShape shape = TermShape::word;
};

// Words are kept to this many bytes: long runs (encoded data, binary files)
// would fill the index with words no one searches for. A longer word is
// still found, by the first bytes it keeps.
inline constexpr std::size_t kIndexedWordBytes = 64;

// The word as the index keeps it.
inline std::string_view indexedForm(std::string_view word) {
    return word.substr(0, kIndexedWordBytes);
}

}  // namespace tessaly
