#include "viewer/highlight_merge.h"

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
    : body_(upToNul(body)), markedLines_(splitLines(upToNul(resultText))) {}

std::optional<std::string> HighlightMerge::next() {
    while (nextLine_ < markedLines_.size()) {
        const std::string& marked = markedLines_[nextLine_++];
        if (marked.find(kHighlightOpening) == std::string::npos) continue;
        const std::string text = unmarkedLine(marked);
        const std::size_t found = body_.find(text, bodyPosition_);
        if (found == std::string::npos) continue;
        std::string piece = body_.substr(bodyPosition_, found - bodyPosition_);
        piece += marked;
        bodyPosition_ = found + text.size();
        return piece;
    }
    return std::nullopt;
}

std::string HighlightMerge::rest() const { return body_.substr(bodyPosition_); }

}  // namespace tessaly
