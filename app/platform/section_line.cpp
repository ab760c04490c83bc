#include "platform/section_line.h"

#include <algorithm>
#include <cstddef>

#include "platform/blanks.h"

namespace tessaly {

namespace {

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length in bytes of the character that begins at `at`. A byte that does
// not begin a well-formed sequence (a file in another code page, a cut
// sequence) is a character of its own, so any bytes split the same way
// wherever the split starts.
std::size_t characterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t wanted = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t length = 1;
    while (length < wanted && at + length < text.size() && continuesCharacter(text[at + length]))
        ++length;
    return length;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += characterLength(text, at)) ++count;
    return count;
}

// The byte offset at which character `index` of `text` begins, or the end of
// the text when it has fewer characters.
std::size_t offsetOfCharacter(std::string_view text, std::size_t index) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < index && at < text.size(); ++i) at += characterLength(text, at);
    return at;
}

}  // namespace

bool isBracketLine(std::string_view line) {
    return line.find('[') != std::string_view::npos && line.find(']') != std::string_view::npos;
}

bool isHeaderLine(std::string_view line) {
    const std::size_t open = line.find('[');
    const std::size_t close = line.find(']');
    return open != std::string_view::npos && close != std::string_view::npos && close > open;
}

bool isExactHeader(std::string_view line, std::string_view name) {
    return line.size() == name.size() + 2 && line.front() == '[' && line.back() == ']' &&
           line.substr(1, name.size()) == name;
}

std::optional<std::string> headerName(std::string_view line) {
    if (!isHeaderLine(line)) return std::nullopt;
    const std::size_t open = line.find('[');
    const std::size_t close = line.find(']');
    const std::size_t width = characterCount(line.substr(open, close - open));
    const std::string_view trimmed = trimBlanks(line);
    const std::size_t from = offsetOfCharacter(trimmed, 1);
    const std::size_t to = std::max(from, offsetOfCharacter(trimmed, width));
    return std::string(trimBlanks(trimmed.substr(from, to - from)));
}

std::string headerFor(std::string_view name) {
    std::string header;
    header.reserve(name.size() + 2);
    header += '[';
    header += name;
    header += ']';
    return header;
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

}  // namespace tessaly
