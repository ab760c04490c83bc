#include "result_line.h"

#include "char_class.h"
#include "rtf_texts.h"
#include "word_find.h"

namespace tyx12::detail {

namespace {

void escapeRtf(TextView text, std::string& out) {
    out.clear();
    out.reserve(text.length * 2);
    for (std::size_t i = 0; i < text.length; ++i) {
        const char c = text.data[i];
        if (isRtfSpecial(c)) out.push_back('\\');
        out.push_back(c);
    }
}

}  // namespace

void buildResultLine(TextView shown, const std::vector<const SearchWord*>& words, bool ignoreCase,
                     std::string& line, LineScratch& scratch) {
    escapeRtf(shown, scratch.escaped);
    const std::string& escaped = scratch.escaped;
    std::string& lowered = scratch.lowered;
    if (ignoreCase) {
        lowered = escaped;
        for (char& c : lowered) c = static_cast<char>(lowerAscii(static_cast<unsigned char>(c)));
    }
    const TextView searched{ignoreCase ? lowered.data() : escaped.data(), escaped.size()};

    std::vector<WordCursor> cursors;
    cursors.reserve(words.size());
    for (const SearchWord* word : words) cursors.emplace_back(searched, word);

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
