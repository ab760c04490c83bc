#include "result_line.h"

#include "char_class.h"
#include "query.h"
#include "rtf_texts.h"
#include "word_find.h"

namespace tyx12::detail {

namespace {

bool holdsRtfSpecial(TextView text) {
    bool found = false;
    for (std::size_t i = 0; i < text.length; ++i) found |= isRtfSpecial(text.data[i]);
    return found;
}

// `unitStarts` may be null when only the text is wanted.
void escapeRtf(TextView text, std::u32string& out, std::string* unitStarts) {
    out.clear();
    if (unitStarts) unitStarts->clear();
    std::size_t copied = 0;
    for (std::size_t i = 0; i < text.length; ++i) {
        if (!isRtfSpecial(text.data[i])) continue;
        out.append(text.data + copied, i - copied);
        out.push_back('\\');
        out.push_back(text.data[i]);
        if (unitStarts) {
            unitStarts->append(i - copied, 1);
            unitStarts->push_back(1);
            unitStarts->push_back(0);
        }
        copied = i + 1;
    }
    out.append(text.data + copied, text.length - copied);
    if (unitStarts) unitStarts->append(text.length - copied + 1, 1);
}

// The escaped characters as the line's bytes. Each character beyond ASCII is
// one escape of its own, so a highlight, which wraps whole characters, never
// cuts through one.
void appendCharacters(std::string& line, const Char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const Char c = text[i];
        if (c < 0x80) {
            line.push_back(static_cast<char>(c));
        } else {
            char escape[kLongestUnicodeEscape];
            line.append(escape, writeUnicodeEscape(c, escape));
        }
    }
}

// Finds a word's occurrences in the escaped line. A word that begins with an
// RTF special or ends with a backslash could match half of an escape, and a
// highlight around half an escape would break the document: such occurrences
// are passed over. `unitStarts` is null when the line holds no escape.
class EscapedWordCursor {
public:
    EscapedWordCursor() = default;
    EscapedWordCursor(TextView text, const SearchWord* word, const std::string* unitStarts)
        : text_(text), word_(word), unitStarts_(unitStarts), cursor_(text, word) {
        const std::u32string_view core = word->core();
        mayStraddle_ = unitStarts && !core.empty() &&
                       (isRtfSpecial(core.front()) || core.back() == '\\');
    }

    std::size_t next(std::size_t from) {
        if (!mayStraddle_) return cursor_.next(from);
        const std::string& starts = *unitStarts_;
        std::size_t at = findWord(text_, from, *word_);
        while (at != kNotFound && !(starts[at] && starts[at + word_->hitLength()]))
            at = findWord(text_, at + 1, *word_);
        return at;
    }

private:
    TextView text_;
    const SearchWord* word_ = nullptr;
    const std::string* unitStarts_ = nullptr;
    WordCursor cursor_;
    bool mayStraddle_ = false;
};

}  // namespace

void buildResultLine(TextView shown, TextView searched, const std::vector<const SearchWord*>& words,
                     std::string& line, LineScratch& scratch) {
    // Most windows hold nothing to escape and are used as they stand.
    TextView escaped = shown;
    TextView escapedSearched = searched;
    const std::string* unitStarts = nullptr;
    if (holdsRtfSpecial(shown)) {
        escapeRtf(shown, scratch.escaped, &scratch.unitStarts);
        escapeRtf(searched, scratch.escapedSearched, nullptr);
        escaped = {scratch.escaped.data(), scratch.escaped.size()};
        escapedSearched = {scratch.escapedSearched.data(), scratch.escapedSearched.size()};
        unitStarts = &scratch.unitStarts;
    }

    EscapedWordCursor cursors[kWordSlots] = {};
    for (std::size_t w = 0; w < words.size(); ++w)
        cursors[w] = EscapedWordCursor(escapedSearched, words[w], unitStarts);

    line.clear();
    std::size_t pos = 0;
    for (;;) {
        const Hit hit = earliestHit(cursors, words.data(), words.size(), pos);
        if (!hit.found()) break;
        appendCharacters(line, escaped.data + pos, hit.position - pos);
        line.append(kHighlightOpening);
        appendCharacters(line, escaped.data + hit.position, hit.length);
        line.append(kHighlightClosing);
        pos = hit.position + hit.length;
    }
    appendCharacters(line, escaped.data + pos, escaped.length - pos);
}

}  // namespace tyx12::detail
