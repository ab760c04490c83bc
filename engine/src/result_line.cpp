#include "result_line.h"

#include "char_class.h"
#include "rtf_texts.h"
#include "word_find.h"

namespace tyx12::detail {

namespace {

void escapeRtf(TextView text, std::string& out, std::string& unitStarts) {
    out.clear();
    unitStarts.clear();
    for (std::size_t i = 0; i < text.length; ++i) {
        const char c = text.data[i];
        unitStarts.push_back(1);
        if (isRtfSpecial(c)) {
            out.push_back('\\');
            unitStarts.push_back(0);
        }
        out.push_back(c);
    }
    unitStarts.push_back(1);
}

// Finds a word's occurrences in the escaped line. A word that begins with an
// RTF special or ends with a backslash could match half of an escape, and a
// highlight around half an escape would break the document: such occurrences
// are passed over.
class EscapedWordCursor {
public:
    EscapedWordCursor(TextView text, const SearchWord* word, const std::string& unitStarts)
        : text_(text), word_(word), unitStarts_(unitStarts), cursor_(text, word) {
        const std::string_view core = word->core();
        mayStraddle_ = !core.empty() && (isRtfSpecial(core.front()) || core.back() == '\\');
    }

    std::size_t next(std::size_t from) {
        if (!mayStraddle_) return cursor_.next(from);
        std::size_t at = findWord(text_, from, *word_);
        while (at != kNotFound && !(unitStarts_[at] && unitStarts_[at + word_->hitLength()]))
            at = findWord(text_, at + 1, *word_);
        return at;
    }

private:
    TextView text_;
    const SearchWord* word_;
    const std::string& unitStarts_;
    WordCursor cursor_;
    bool mayStraddle_ = false;
};

}  // namespace

void buildResultLine(TextView shown, const std::vector<const SearchWord*>& words, bool ignoreCase,
                     std::string& line, LineScratch& scratch) {
    escapeRtf(shown, scratch.escaped, scratch.unitStarts);
    const std::string& escaped = scratch.escaped;
    std::string& lowered = scratch.lowered;
    if (ignoreCase) {
        lowered = escaped;
        for (char& c : lowered) c = static_cast<char>(lowerAscii(static_cast<unsigned char>(c)));
    }
    const TextView searched{ignoreCase ? lowered.data() : escaped.data(), escaped.size()};

    std::vector<EscapedWordCursor> cursors;
    cursors.reserve(words.size());
    for (const SearchWord* word : words) cursors.emplace_back(searched, word, scratch.unitStarts);

    line.clear();
    line.reserve(escaped.size() + 64);
    std::size_t pos = 0;
    for (;;) {
        std::size_t best = kNotFound;
        std::size_t bestLength = 0;
        for (std::size_t w = 0; w < words.size(); ++w) {
            const std::size_t at = cursors[w].next(pos);
            if (at < best) {
                best = at;
                bestLength = words[w]->hitLength();
            }
        }
        if (best == kNotFound) break;
        line.append(escaped, pos, best - pos);
        line.append(kHighlightOpening);
        line.append(escaped, best, bestLength);
        line.append(kHighlightClosing);
        pos = best + bestLength;
    }
    line.append(escaped, pos, std::string::npos);
}

}  // namespace tyx12::detail
