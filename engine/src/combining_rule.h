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

// The verdict, and whether it would mark the AND-group, without marking anything.
bool combiningRuleHolds(const Query& query, const WordsFound& found);
bool andGroupMarked(const Query& query, const WordsFound& found);

}  // namespace tyx12::detail
