#include "viewer/highlight_merge.h"

#include <algorithm>
#include <iterator>

namespace tessaly {

namespace {

std::string_view upToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

std::vector<std::string> splitLines(std::string_view resultText) {
    std::vector<std::string> lines;
    while (!resultText.empty()) {
        const std::size_t end = resultText.find(kLineSeparator);
        if (end == std::string_view::npos) {
            lines.emplace_back(resultText);
            break;
        }
        lines.emplace_back(resultText.substr(0, end));
        resultText.remove_prefix(end + kLineSeparator.size());
    }
    return lines;
}

}  // namespace

std::string unmarkedLine(std::string_view markedLine) {
    std::string text;
    text.reserve(markedLine.size());
    while (true) {
        const std::size_t opening = markedLine.find(kHighlightOpening);
        if (opening == std::string_view::npos) break;
        text += markedLine.substr(0, opening);
        markedLine.remove_prefix(opening + kHighlightOpening.size());
        // The hit word runs to the first closing brace; a braced word is
        // escaped by the engine and never highlighted, so none stands inside.
        const std::size_t closing = markedLine.find(kHighlightClosing);
        if (closing == std::string_view::npos) break;
        text += markedLine.substr(0, closing);
        markedLine.remove_prefix(closing + kHighlightClosing.size());
    }
    text += markedLine;
    return text;
}

HighlightMerge::HighlightMerge(std::string_view body, std::string_view resultText)
    : body_(upToNul(body)), markedLines_(splitLines(upToNul(resultText))) {
    projected_.reserve(body_.size());
    std::size_t extra = 0;
    for (std::size_t at = 0;;) {
        const std::size_t found = body_.find(kBodyParagraph, at);
        if (found == std::string::npos) {
            projected_.append(body_, at, std::string::npos);
            break;
        }
        projected_.append(body_, at, found - at);
        std::size_t end = found;
        while (body_.compare(end, kBodyParagraph.size(), kBodyParagraph) == 0)
            end += kBodyParagraph.size();
        extra += end - found - 1;
        folds_.push_back({projected_.size(), extra});
        projected_ += ' ';
        at = end;
    }
}

std::size_t HighlightMerge::bodyOffset(std::size_t projected) const {
    const auto after = std::lower_bound(
        folds_.begin(), folds_.end(), projected,
        [](const Fold& fold, std::size_t offset) { return fold.projected < offset; });
    return after == folds_.begin() ? projected : projected + std::prev(after)->cumulativeExtra;
}

std::optional<std::string> HighlightMerge::next() {
    while (nextLine_ < markedLines_.size()) {
        const std::string& marked = markedLines_[nextLine_++];
        if (marked.find(kHighlightOpening) == std::string::npos) continue;
        const std::string text = unmarkedLine(marked);
        const std::size_t found = projected_.find(text, projectedPosition_);
        if (found == std::string::npos) continue;
        const std::size_t start = bodyOffset(found);
        std::string piece = body_.substr(bodyPosition_, start - bodyPosition_);
        piece += marked;
        projectedPosition_ = found + text.size();
        bodyPosition_ = bodyOffset(projectedPosition_);
        return piece;
    }
    return std::nullopt;
}

std::string HighlightMerge::rest() const { return body_.substr(bodyPosition_); }

}  // namespace tessaly
