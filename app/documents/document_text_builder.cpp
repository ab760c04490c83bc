#include "documents/document_text_builder.h"

#include "platform/utf8.h"

#include <algorithm>

namespace tessaly {
namespace {

bool isLayoutSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view breakText(int kind) {
    constexpr std::string_view texts[] = {"", " ", "\t", "\n", "\n\n"};
    return texts[kind];
}

// The longest prefix of `text` within `room` bytes that does not split a
// UTF-8 sequence.
std::string_view wholeCharactersWithin(std::string_view text, std::size_t room) {
    if (text.size() <= room) return text;
    std::size_t end = room;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace

void DocumentTextBuilder::holdBreak(Break kind) { held_ = std::max(held_, kind); }

void DocumentTextBuilder::append(std::string_view utf8) {
    if (full_ || utf8.empty()) return;
    // A space after a line's or a cell's end would only indent what follows.
    if (held_ == Break::space && !text_.empty() && isLayoutSpace(text_.back())) held_ = Break::none;
    if (!text_.empty() && held_ != Break::none) {
        auto separator = breakText(static_cast<int>(held_));
        // A line break the text made itself counts toward a paragraph's end.
        if (held_ >= Break::paragraph)
            for (auto end = text_.rbegin(); end != text_.rend() && *end == '\n' && !separator.empty(); ++end)
                separator.remove_prefix(1);
        held_ = Break::none;
        append(separator);
        if (full_) return;
    }
    held_ = Break::none;
    // The text goes to the engine as UTF-8: a stray byte at its start could
    // otherwise pass for a UTF-16 byte-order mark.
    std::string repaired;
    utf8 = asValidUtf8(utf8, repaired);
    const auto fits = wholeCharactersWithin(utf8, limit_ - text_.size());
    text_.append(fits);
    if (fits.size() < utf8.size()) full_ = true;
}

void DocumentTextBuilder::addText(std::string_view utf8) { append(utf8); }

void DocumentTextBuilder::addFlowingText(std::string_view utf8) {
    std::size_t at = 0;
    while (at < utf8.size() && !full_) {
        if (isLayoutSpace(utf8[at])) {
            breakWord();
            while (at < utf8.size() && isLayoutSpace(utf8[at])) ++at;
            continue;
        }
        const auto end = std::find_if(utf8.begin() + at, utf8.end(), isLayoutSpace) - utf8.begin();
        append(utf8.substr(at, end - at));
        at = end;
    }
}

std::string DocumentTextBuilder::take() {
    if (!text_.empty() && text_.back() != '\n') text_ += '\n';
    held_ = Break::none;
    return std::move(text_);
}

}  // namespace tessaly
