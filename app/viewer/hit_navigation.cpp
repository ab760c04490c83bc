#include "viewer/hit_navigation.h"

#include <algorithm>
#include <bitset>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace tessaly {

namespace {

constexpr std::size_t kNotFound = std::u16string_view::npos;

char16_t foldCase(char16_t unit) {
    if (unit >= u'A' && unit <= u'Z') return static_cast<char16_t>(unit + 0x20);
    // Latin-1 capitals À to Þ, except the multiplication sign.
    if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) return static_cast<char16_t>(unit + 0x20);
    return unit;
}

bool isLetterOrDigit(char32_t c) {
    if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return true;
    if (c == 0xAA || c == 0xB5 || c == 0xBA) return true;
    return c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7;
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char32_t joinSurrogates(char16_t high, char16_t low) {
    return 0x10000 + ((char32_t{high} - 0xD800) << 10) + (char32_t{low} - 0xDC00);
}

class WordSearch {
public:
    WordSearch(std::u16string_view text, bool matchCase, const LetterRules& letters)
        : text_(text), matchCase_(matchCase), letters_(letters) {}

    std::size_t plain(std::u16string_view word, std::size_t from) const {
        if (from > text_.size()) return kNotFound;
        if (word.empty()) return from;
        const auto start = text_.begin() + static_cast<std::ptrdiff_t>(from);
        if (matchCase_) {
            const auto found = std::search(
                start, text_.end(), std::boyer_moore_horspool_searcher(word.begin(), word.end()));
            return found == text_.end() ? kNotFound : static_cast<std::size_t>(found - text_.begin());
        }
        // Folding every unit of a long text costs seconds: only the units
        // that fold to the word's first are looked at further.
        const FirstUnits& first = firstUnits(word.front());
        const std::size_t last = text_.size() - std::min(text_.size(), word.size() - 1);
        for (std::size_t at = from; at < last; ++at) {
            if (!first.test(text_[at])) continue;
            std::size_t matched = 1;
            while (matched < word.size() &&
                   letters_.fold(text_[at + matched]) == letters_.fold(word[matched]))
                ++matched;
            if (matched == word.size()) return at;
        }
        return kNotFound;
    }

    std::size_t wholeWord(std::u16string_view word, std::size_t from) const {
        for (std::size_t at = plain(word, from); at != kNotFound; at = plain(word, at + 1)) {
            const std::size_t end = at + word.size();
            const bool openBefore = at == 0 || !letters_.isWordCharacter(characterBefore(at));
            const bool openAfter = end >= text_.size() || !letters_.isWordCharacter(characterAt(end));
            if (openBefore && openAfter) return at;
        }
        return kNotFound;
    }

    bool possessiveAt(std::size_t end) const {
        return end + 2 <= text_.size() && text_[end] == u'\'' &&
               (text_[end + 1] == u's' || (!matchCase_ && text_[end + 1] == u'S'));
    }

private:
    using FirstUnits = std::bitset<0x10000>;

    char32_t characterAt(std::size_t at) const {
        if (isHighSurrogate(text_[at]) && at + 1 < text_.size() && isLowSurrogate(text_[at + 1]))
            return joinSurrogates(text_[at], text_[at + 1]);
        return text_[at];
    }
    char32_t characterBefore(std::size_t at) const {
        if (isLowSurrogate(text_[at - 1]) && at >= 2 && isHighSurrogate(text_[at - 2]))
            return joinSurrogates(text_[at - 2], text_[at - 1]);
        return text_[at - 1];
    }

    // Every unit that folds as `unit` does; worked out once per word.
    const FirstUnits& firstUnits(char16_t unit) const {
        auto& units = firstUnits_[unit];
        if (!units) {
            units = std::make_unique<FirstUnits>();
            const char16_t folded = letters_.fold(unit);
            for (std::uint32_t other = 0; other < 0x10000; ++other)
                if (letters_.fold(static_cast<char16_t>(other)) == folded) units->set(other);
        }
        return *units;
    }

    std::u16string_view text_;
    bool matchCase_;
    const LetterRules& letters_;
    mutable std::map<char16_t, std::unique_ptr<FirstUnits>> firstUnits_;
};

std::size_t findWord(const WordSearch& search, std::u16string_view typed, std::size_t from) {
    const std::u16string_view word = strippedWord(typed);
    const std::size_t plain = search.plain(word, from);
    if (isWildcard(typed)) return plain;
    // The possessive exception looks at the next occurrence only: when that one
    // is followed by "'s" it is taken even inside a longer word.
    if (plain != kNotFound && search.possessiveAt(plain + word.size())) return plain;
    return search.wholeWord(word, from);
}

}  // namespace

const LetterRules kLatin1Letters{foldCase, isLetterOrDigit};

std::u16string_view strippedWord(std::u16string_view typed) {
    if (typed.starts_with(u'*')) return typed.substr(1);
    if (typed.ends_with(u'*')) return typed.substr(0, typed.size() - 1);
    return typed;
}

bool isWildcard(std::u16string_view typed) { return typed.find(u'*') != std::u16string_view::npos; }

std::optional<FoundHit> nextHit(std::u16string_view text, int from,
                                const std::array<std::u16string, 4>& typedWords, bool matchCase,
                                const LetterRules& letters) {
    // Offsets are ints for the rich-text box; no viewer text comes near that.
    text = text.substr(0, std::min<std::size_t>(text.size(), INT_MAX));
    const WordSearch search(text, matchCase, letters);
    const std::size_t start = static_cast<std::size_t>(std::max(from, 0));

    std::optional<FoundHit> best;
    for (int index = 0; index < 4; ++index) {
        const std::u16string& typed = typedWords[static_cast<std::size_t>(index)];
        const std::u16string_view word = strippedWord(typed);
        if (word.empty()) continue;
        const std::size_t at = findWord(search, typed, start);
        if (at == kNotFound) continue;
        if (!best || static_cast<int>(at) < best->offset)
            best = FoundHit{static_cast<int>(at), static_cast<int>(word.size()), index};
    }
    return best;
}

}  // namespace tessaly
