// Decides from the mere presence of each word whether a file matches.
#pragma once

#include <array>

#include "query.h"

namespace tyx12::detail {

// Which present words the text holds somewhere.
using WordsFound = std::array<bool, kWordSlots>;

// May overwrite AND-group words with the excluded-word marker, in the caller's
// buffers, when an OR word alone carries the match.
bool applyCombiningRule(Query& query, const WordsFound& found);

// The verdict without marking anything.
bool combiningRuleHolds(const Query& query, const WordsFound& found);

// Whether a text that holds no word but those it `mayHold` could match: the
// best case, every NOT word absent. NEARBY is judged by lines, and a line
// needs a hit.
bool couldMatchGiven(const Query& query, const WordsFound& mayHold);

// Whether finding more can no longer change the verdict, nor which words it
// marks: the words still `open` could all be found, or none of them, to the
// same effect.
bool verdictSettled(const Query& query, const WordsFound& found, const WordsFound& open);

}  // namespace tyx12::detail
