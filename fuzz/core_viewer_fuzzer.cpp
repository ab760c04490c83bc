// The viewer's logic on random input: the highlight merge always ends and
// never loses or reorders body text; Next and the result pane's file pick
// only ever point inside the text.
//
// Input: a selection byte, a flags byte, then fields split by 0xFE: the body,
// the result text (0x01 stands for a highlight opening, 0x02 for a line
// separator, so that the fuzzer reaches marked lines quickly), four search
// words and the viewer's text, one unit per byte.
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/highlight_merge.h"
#include "viewer/hit_navigation.h"
#include "viewer/selected_file_pick.h"

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

bool isSubsequence(std::string_view part, std::string_view whole) {
    std::size_t at = 0;
    for (const char c : part) {
        at = whole.find(c, at);
        if (at == std::string_view::npos) return false;
        ++at;
    }
    return true;
}

// The text as the search reads it: a run of line breaks is one blank. A hit
// line that ran over line breaks takes their place with its blanks.
std::string withoutLineBreaks(std::string_view text) {
    std::string out;
    const std::string_view paragraph = tessaly::kBodyParagraph;
    for (std::size_t at = 0; at < text.size();) {
        if (text.substr(at, paragraph.size()) != paragraph) {
            out += text[at++];
            continue;
        }
        while (text.substr(at, paragraph.size()) == paragraph) at += paragraph.size();
        out += ' ';
    }
    return out;
}

void checkMerge(std::string_view body, const std::string& result) {
    const std::string_view visibleBody = body.substr(0, body.find('\0'));
    tessaly::HighlightMerge merge(body, result);
    std::string shown;
    std::size_t pieces = 0;
    while (const auto piece = merge.next()) {
        if (++pieces > result.size() + 1) std::abort();
        shown += *piece;
    }
    const std::string rest = merge.rest();
    if (!visibleBody.ends_with(rest)) std::abort();
    shown += rest;
    if (!isSubsequence(withoutLineBreaks(visibleBody), withoutLineBreaks(shown))) std::abort();
}

void checkNavigation(const std::u16string& text, int selection, const std::array<std::u16string, 4>& words,
                     bool matchCase) {
    const auto hit = tessaly::nextHit(text, selection, words, matchCase);
    if (!hit) return;
    if (hit->wordIndex < 0 || hit->wordIndex > 3) std::abort();
    const auto word = tessaly::strippedWord(words[static_cast<std::size_t>(hit->wordIndex)]);
    if (word.empty() || hit->length != static_cast<int>(word.size())) std::abort();
    if (hit->offset < selection + 2 || hit->offset + hit->length > static_cast<int>(text.size())) std::abort();
    if (matchCase && text.compare(static_cast<std::size_t>(hit->offset), word.size(), word) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int selection = static_cast<signed char>(data[0]);
    const bool matchCase = data[1] & 1;
    const auto parts = fields(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));

    checkMerge(parts[0], resultText(parts[1]));

    std::array<std::u16string, 4> words;
    for (std::size_t i = 0; i < 4; ++i) words[i] = units(parts[2 + i]);
    const std::u16string text = units(parts[6]);
    checkNavigation(text, selection, words, matchCase);

    const auto path = tessaly::pathUnderCaret(text, selection * 8);
    if (path && (path->empty() || path->front() != u'/' || path->size() > text.size())) std::abort();
    return 0;
}
