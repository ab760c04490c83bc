#include "index_terms.h"

#include <algorithm>

#include "char_class.h"

namespace tyx12::detail {

std::optional<std::vector<IndexTerm>> indexTermsOf(const SearchWord& word) {
    const std::u32string_view core = word.core();
    struct Run {
        std::size_t start, end;
    };
    std::vector<Run> runs;
    for (std::size_t i = 0; i < core.size();) {
        if (!isWordChar(core[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < core.size() && isWordChar(core[end])) ++end;
        runs.push_back({i, end});
        i = end;
    }
    if (runs.empty()) return std::nullopt;

    // Which edges of the core the find leaves untested: there the run may go
    // on into the text's word.
    const bool openBefore = word.mode() == WildcardMode::Suffix;
    const bool openAfter = word.mode() == WildcardMode::Prefix;
    std::vector<IndexTerm> terms;
    for (const Run& run : runs) {
        const std::u32string text(core.substr(run.start, run.end - run.start));
        const bool goesOnBefore = openBefore && run.start == 0;
        const bool goesOnAfter = openAfter && run.end == core.size();
        if (goesOnBefore && goesOnAfter) continue;  // cannot happen: one star
        if (goesOnAfter) {
            terms.push_back({TermKind::Prefix, text});
        } else if (goesOnBefore) {
            terms.push_back({TermKind::ReversedPrefix, std::u32string(text.rbegin(), text.rend())});
        } else {
            terms.push_back({TermKind::Word, text});
        }
    }
    return terms;
}

}  // namespace tyx12::detail
