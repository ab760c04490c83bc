// Turns a hit window into a result line: RTF-escaped, search words highlighted.
#pragma once

#include <string>
#include <vector>

#include "search_word.h"
#include "text_view.h"

namespace tyx12::detail {

// `shown` is the window as the file has it; the words are looked for in its
// lower-cased copy when `ignoreCase` is set, so the line keeps the file's own
// capitals. `line` is overwritten.
struct LineScratch {
    std::string escaped;
    std::string lowered;
    // 1 where an escape unit starts ("\\{" is one unit of two characters).
    std::string unitStarts;
};
void buildResultLine(TextView shown, const std::vector<const SearchWord*>& words, bool ignoreCase,
                     std::string& line, LineScratch& scratch);

}  // namespace tyx12::detail
