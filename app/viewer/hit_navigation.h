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

// How letters are told and folded. The engine marks words of every script,
// but the core keeps no Unicode tables: the viewer passes its toolkit's
// rules. The default knows ASCII and Latin-1 only. Folding goes one UTF-16
// unit at a time; a word's edge is judged on the whole character beside it,
// since a character beyond U+FFFF may be a letter or a symbol.
struct LetterRules {
    char16_t (*fold)(char16_t unit);
    bool (*isWordCharacter)(char32_t c);
};
extern const LetterRules kLatin1Letters;

struct FoundHit {
    int offset = 0;     // in the viewer's plain text
    int length = 0;     // the stripped word's length
    int wordIndex = 0;  // 0 for the first search box
};

// The first occurrence that starts at `from` or after it: the caller passes
// the caret, or one unit after the start of the hit it has selected, so that
// a hit at the very start of the text is found too. `typedWords` are the four boxes' texts, already trimmed; a word
// that strips to nothing is ignored. On equal offsets the lower-numbered word
// wins. Nothing when no word occurs further on: the caller offers to start
// again from the top.
//
// A word without a star counts only as a whole word: neither the unit before
// nor the unit after it is a word unit. Only when the word's next occurrence
// stands before "'s" is it taken as it stands, so that "dog" finds "dog's"
// whatever the letters before it.
//
// Without `matchCase` letters compare case-blind, folded one unit for one.
std::optional<FoundHit> nextHit(std::u16string_view text, int from,
                                const std::array<std::u16string, 4>& typedWords, bool matchCase,
                                const LetterRules& letters = kLatin1Letters);

}  // namespace tessaly
