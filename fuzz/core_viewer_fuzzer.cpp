// The viewer's logic on random input: the hit marks lie inside the text, in
// order, apart, and the same whether the text comes whole or in two parts;
// Next only ever points inside the text.
//
// Input: a selection byte, a flags byte, then fields split by 0xFE: the file's text,
// the result text (0x01 stands for a highlight opening, 0x02 for a line
// separator, so that the fuzzer reaches marked lines quickly), four search
// words and the viewer's text, one unit per byte.
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/highlight_markup.h"
#include "viewer/hit_line_marker.h"
#include "viewer/hit_navigation.h"

namespace {

std::vector<std::string_view> fields(std::string_view bytes) {
    std::vector<std::string_view> parts;
    while (parts.size() < 7) {
        const std::size_t end = bytes.find('\xFE');
        parts.push_back(bytes.substr(0, end));
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    parts.resize(7);
    return parts;
}

std::string resultText(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        if (byte == '\x01') text += tessaly::kHighlightOpening;
        else if (byte == '\x02') text += tessaly::kLineSeparator;
        else text += byte;
    }
    return text;
}

std::u16string units(std::string_view bytes) {
    std::u16string text;
    for (const char byte : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(byte));
    return text;
}

void checkMarks(const std::u16string& text, const std::string& result, std::size_t split) {
    tessaly::HitLineMarker whole(result);
    const std::vector<tessaly::TextSpan> once = whole.advance(text, true);
    std::size_t end = 0;
    for (const tessaly::TextSpan& span : once) {
        if (span.length == 0 || span.start < end || span.start + span.length > text.size()) std::abort();
        end = span.start + span.length;
    }
    tessaly::HitLineMarker growing(result);
    split = std::min(split, text.size());
    std::vector<tessaly::TextSpan> inParts = growing.advance(std::u16string_view(text).substr(0, split), false);
    const std::vector<tessaly::TextSpan> rest = growing.advance(text, true);
    inParts.insert(inParts.end(), rest.begin(), rest.end());
    if (inParts != once) std::abort();
}

void checkNavigation(const std::u16string& text, int selection, const std::array<std::u16string, 4>& words,
                     bool matchCase) {
    const auto hit = tessaly::nextHit(text, selection, words, matchCase);
    if (!hit) return;
    if (hit->wordIndex < 0 || hit->wordIndex > 3) std::abort();
    const auto word = tessaly::strippedWord(words[static_cast<std::size_t>(hit->wordIndex)]);
    if (word.empty() || hit->length != static_cast<int>(word.size())) std::abort();
    if (hit->offset < selection || hit->offset + hit->length > static_cast<int>(text.size())) std::abort();
    if (matchCase && text.compare(static_cast<std::size_t>(hit->offset), word.size(), word) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int selection = static_cast<signed char>(data[0]);
    const bool matchCase = data[1] & 1;
    const auto parts = fields(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));

    checkMarks(units(parts[0]), resultText(parts[1]), data[1] >> 1);

    std::array<std::u16string, 4> words;
    for (std::size_t i = 0; i < 4; ++i) words[i] = units(parts[2 + i]);
    const std::u16string text = units(parts[6]);
    checkNavigation(text, selection, words, matchCase);
    return 0;
}
