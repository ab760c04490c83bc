#include "viewer/hit_line_marker.h"

#include "viewer/body_text_decoder.h"
#include "viewer/highlight_markup.h"

namespace tessaly {

namespace {

std::string_view upToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

bool isBreak(char16_t unit) { return unit == u'\n'; }

}  // namespace

HitLineMarker::HitLineMarker(std::string_view resultText) {
    resultText = upToNul(resultText);
    while (!resultText.empty()) {
        const std::size_t end = resultText.find(kLineSeparator);
        std::string_view marked = resultText.substr(0, end);
        resultText.remove_prefix(end == std::string_view::npos ? resultText.size()
                                                               : end + kLineSeparator.size());
        Line line;
        while (true) {
            const std::size_t opening = marked.find(kHighlightOpening);
            if (opening == std::string_view::npos) break;
            line.text += bodyText(marked.substr(0, opening));
            marked.remove_prefix(opening + kHighlightOpening.size());
            // The hit word runs to the first closing brace; a braced word is
            // escaped by the engine and never highlighted, so none stands inside.
            const std::size_t closing = marked.find(kHighlightClosing);
            const std::u16string word = bodyText(marked.substr(0, closing));
            if (!word.empty()) line.hits.push_back({line.text.size(), word.size()});
            line.text += word;
            if (closing == std::string_view::npos) {
                marked = {};
                break;
            }
            marked.remove_prefix(closing + kHighlightClosing.size());
        }
        line.text += bodyText(marked);
        if (!line.hits.empty()) lines_.push_back(std::move(line));
    }
}

// Whether `line` stands in `text` at `at`, a blank of the line standing for a
// run of line breaks; `positions` gets where each of its units is in `text`.
HitLineMarker::Match HitLineMarker::matchAt(std::u16string_view text, std::size_t at,
                                            const Line& line, bool whole,
                                            std::vector<std::size_t>& positions) const {
    positions.clear();
    std::size_t j = at;
    for (const char16_t unit : line.text) {
        if (j >= text.size()) return whole ? Match::NotHere : Match::NeedMore;
        positions.push_back(j);
        if (unit == u' ' && isBreak(text[j])) {
            while (j < text.size() && isBreak(text[j])) ++j;
            // The run may go on in what is still to come.
            if (j >= text.size() && !whole) return Match::NeedMore;
            continue;
        }
        if (text[j] != unit) return Match::NotHere;
        ++j;
    }
    positions.push_back(j);  // the end, behind a closing run of line breaks too
    return Match::Found;
}

std::vector<TextSpan> HitLineMarker::advance(std::u16string_view text, bool whole) {
    std::vector<TextSpan> marks;
    std::vector<std::size_t> positions;
    while (nextLine_ < lines_.size()) {
        const Line& line = lines_[nextLine_];
        // Candidates are found by the line's first stretch without a blank,
        // which a run of line breaks cannot stand in for.
        const std::size_t blank = line.text.find(u' ');
        const std::u16string_view anchor = std::u16string_view(line.text).substr(0, blank);
        bool waiting = false;
        for (std::size_t at = std::max(resume_, afterMatch_);;) {
            at = anchor.empty() ? text.find_first_of(u" \n", at) : text.find(anchor, at);
            if (at == std::u16string_view::npos) {
                // An anchor cut off by the end of the text so far is looked
                // for again with what follows.
                if (!whole) {
                    const std::size_t keep = anchor.empty() ? 0 : anchor.size() - 1;
                    resume_ = text.size() > keep ? text.size() - keep : 0;
                    waiting = true;
                }
                break;
            }
            const Match match = matchAt(text, at, line, whole, positions);
            if (match == Match::NeedMore) {
                resume_ = at;
                waiting = true;
                break;
            }
            if (match == Match::Found) {
                for (const TextSpan& hit : line.hits) {
                    const std::size_t start = positions[hit.start];
                    // A word the line before marked already.
                    if (start < markedTo_) continue;
                    marks.push_back({start, positions[hit.start + hit.length - 1] + 1 - start});
                    markedTo_ = marks.back().start + marks.back().length;
                }
                // The engine's lines overlap where a hit's window reaches back
                // past the end of the one before: the next line may begin
                // anywhere after this one begins.
                afterMatch_ = positions.front() + 1;
                break;
            }
            ++at;
        }
        if (waiting) break;
        ++nextLine_;
        resume_ = afterMatch_;
    }
    return marks;
}

}  // namespace tessaly
