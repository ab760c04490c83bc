#include "word_find.h"

#include "char_class.h"
#include "substring_search.h"

namespace tyx12::detail {

namespace {

bool boundaryBefore(TextView text, std::size_t pos) {
    return pos == 0 || !isLetterOrDigit(text.at(pos - 1));
}

bool boundaryAfter(TextView text, std::size_t end) {
    return end >= text.length || !isLetterOrDigit(text.at(end));
}

}  // namespace

std::size_t findWord(TextView text, std::size_t from, const SearchWord& word) {
    const std::string_view core = word.core();
    if (core.empty()) return kNotFound;
    const bool testBefore = word.mode() != WildcardMode::Suffix;
    const bool testAfter = word.mode() != WildcardMode::Prefix;
    std::size_t pos = from;
    while (pos < text.length && text.length - pos >= core.size()) {
        const char* hit = findSubstring(text.data + pos, text.length - pos, core.data(), core.size());
        if (!hit) return kNotFound;
        const std::size_t at = static_cast<std::size_t>(hit - text.data);
        if ((!testBefore || boundaryBefore(text, at)) &&
            (!testAfter || boundaryAfter(text, at + core.size())))
            return at;
        pos = at + core.size();
    }
    return kNotFound;
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
