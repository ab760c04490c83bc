#include "word_find.h"

#include "char_class.h"
#include "substring_search.h"

namespace tyx12::detail {

namespace {

bool boundaryBefore(TextView text, std::size_t pos) {
    return pos == 0 || !isWordChar(text.at(pos - 1));
}

bool boundaryAfter(TextView text, std::size_t end) {
    return end >= text.length || !isWordChar(text.at(end));
}

}  // namespace

PartialFind findWordInPart(TextView part, bool partIsWhole, std::size_t from, const SearchWord& word) {
    const std::u32string_view core = word.core();
    if (core.empty()) return {};
    const bool testBefore = word.mode() != WildcardMode::Suffix;
    const bool testAfter = word.mode() != WildcardMode::Prefix;
    std::size_t pos = from;
    while (pos < part.length && part.length - pos >= core.size()) {
        const Char* hit = findSubstring(part.data + pos, part.length - pos, core.data(), core.size());
        if (!hit) break;
        const std::size_t at = static_cast<std::size_t>(hit - part.data);
        const std::size_t end = at + core.size();
        // Whether the next character ends the word is not known yet.
        if (testAfter && end == part.length && !partIsWhole) return {kNotFound, at};
        if ((!testBefore || boundaryBefore(part, at)) && (!testAfter || boundaryAfter(part, end)))
            return {at, kNotFound};
        pos = end;
    }
    if (partIsWhole) return {};
    // Nothing that lies whole within the part: the next candidate starts
    // where the rest of the core could still follow.
    const std::size_t tail = part.length >= core.size() ? part.length - core.size() + 1 : 0;
    return {kNotFound, pos > tail ? pos : tail};
}

std::size_t findWord(TextView text, std::size_t from, const SearchWord& word) {
    return findWordInPart(text, true, from, word).position;
}

std::size_t WordCursor::next(std::size_t from) {
    const bool reusable = word_->resumable() && searchedFrom_ != kNotFound &&
                          searchedFrom_ <= from && (found_ == kNotFound || found_ >= from);
    if (!reusable) {
        found_ = findWord(text_, from, *word_);
        searchedFrom_ = from;
    }
    return found_;
}

}  // namespace tyx12::detail
