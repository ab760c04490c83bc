// The check of the four search words before a search and whenever a word box
// loses the focus (inputValidate): no single letters, and a star only once, at
// the beginning or the end of a single word. It trims the words in place.
#pragma once

#include <array>
#include <string_view>

#include "criteria/options.h"

namespace tessaly {

inline constexpr std::string_view textMissingText = "You must specify the text you want to search!";
inline constexpr std::string_view textMissingTitle = "Text Missing";
inline constexpr std::string_view singleLetterText = "Search of single letter is invalid!";
inline constexpr std::string_view singleLetterTitle = "Invalid Single Letter";
inline constexpr std::string_view wildcardText =
    "Only single word with wild card * at beginning or end is supported!";
// The program has always shown the wildcard refusal under this title too.
inline constexpr std::string_view wildcardTitle = "Invalid Single Letter";

// Where the check talks to the user: the window shows modal message boxes
// (critical icon, OK) and moves the focus; the command line prints.
class CriteriaMessages {
public:
    virtual ~CriteriaMessages() = default;
    // Returns when the user has answered OK.
    virtual void refuse(int wordIndex, std::string_view text, std::string_view title) = 0;
    virtual void focusWord(int wordIndex) = 0;
};

// One flag per word, armed at start-up. A word refused for its star disarms
// its flag, and the next check of that word lets the star pass and arms it
// again: a refused word goes through when the user insists.
struct WildcardWarnings {
    std::array<bool, 4> armed{true, true, true, true};
};

// Before the check, Start refuses four boxes that are all empty (length 0:
// blanks count as text).
bool allWordsEmpty(const SearchWords& words);

// Returns true when the search may start. A single letter is refused, its
// word cleared, and the check goes on; a star in the wrong place stops it at
// once, leaving the later words untouched.
bool inputValidate(SearchWords& words, WildcardWarnings& warnings, CriteriaMessages& messages);

}  // namespace tessaly
