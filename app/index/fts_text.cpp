#include "index/fts_text.h"

#include <algorithm>
#include <string_view>

namespace tessaly {

namespace {

bool splitsWords(unsigned char byte) {
    return byte < 0x80 && !(byte >= '0' && byte <= '9') && !(byte >= 'a' && byte <= 'z') &&
           !(byte >= 'A' && byte <= 'Z');
}

}  // namespace

std::optional<std::string> ftsQuery(const IndexTerm& term) {
    if (term.text.empty()) return std::nullopt;
    if (std::any_of(term.text.begin(), term.text.end(),
                    [](char c) { return splitsWords(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    // A word longer than the index keeps was kept by its first bytes, and so
    // is found by them, as a prefix.
    const bool cut = term.text.size() > kIndexedWordBytes;
    const bool prefix = term.shape != TermShape::word || cut;
    return "\"" + std::string(indexedForm(term.text)) + "\"" + (prefix ? "*" : "");
}

}  // namespace tessaly
