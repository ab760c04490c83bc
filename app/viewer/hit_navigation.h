// Next in the quick viewer: the nearest following occurrence of any of the
// four search words in the viewer's text.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// A typed word loses one star: the leading one, else a trailing one.
std::u16string_view strippedWord(std::u16string_view typed);

// A word with a star anywhere is looked for inside other words too.
bool isWildcard(std::u16string_view typed);

struct FoundHit {
    int offset = 0;     // in the viewer's plain text
    int length = 0;     // the stripped word's length
    int wordIndex = 0;  // 0 for the first search box
};

// The occurrence to select after the selection that starts at
// `selectionStart`. The search starts two units after it, so that the current
// hit is passed; from the top, a hit at offset 0 or 1 is therefore never
// selected. `typedWords` are the four boxes' texts, already trimmed; a word
// that strips to nothing is ignored. On equal offsets the lower-numbered word
// wins. Nothing when no word occurs further on: the caller offers to start
// again from the top.
//
// A word without a star counts only as a whole word: neither the unit before
// nor the unit after it is a letter or a digit (ASCII or Latin-1). Only when
// the word's next occurrence stands before "'s" is it taken as it stands, so
// that "dog" finds "dog's" whatever the letters before it.
//
// Without `matchCase` letters compare case-blind, ASCII and Latin-1 folded
// one unit for one; that covers everything the viewer shows, whose text comes
// from the engine as ASCII and 0x92.
std::optional<FoundHit> nextHit(std::u16string_view text, int selectionStart,
                                const std::array<std::u16string, 4>& typedWords, bool matchCase);

}  // namespace tessaly
