// Turns a hit window into a result line: RTF-escaped, search words highlighted.
#pragma once

#include <string>
#include <vector>

#include "search_word.h"
#include "text_view.h"

namespace tyx12::detail {

struct LineScratch {
    std::u32string escaped;
    std::u32string escapedSearched;
    // 1 where an escape unit starts ("\\{" is one unit of two characters).
    std::string unitStarts;
};

// `shown` is the window as the file has it; the words are looked for in
// `searched`, the same window folded when case is ignored, so the line keeps
// the file's own capitals. `line` is overwritten; it is ASCII, every other
// character written "\uN?".
void buildResultLine(TextView shown, TextView searched, const std::vector<const SearchWord*>& words,
                     std::string& line, LineScratch& scratch);

}  // namespace tyx12::detail
