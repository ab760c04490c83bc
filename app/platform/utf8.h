// UTF-8 as file names and file text hold it: valid, or not.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly {

struct Utf8Sequence {
    char32_t codePoint = 0;
    std::size_t length = 0;  // 0: the bytes at that place are not valid UTF-8
};

// The character whose encoding starts at text[at]: only shortest forms, no
// surrogates, nothing above U+10FFFF. ASCII is a sequence of length 1.
Utf8Sequence decodeUtf8(std::string_view text, std::size_t at);

// Appends the character's encoding; a surrogate or a value above U+10FFFF,
// which no encoding holds, becomes U+FFFD.
void appendUtf8(std::string& text, char32_t codePoint);

// `text` itself when it is valid UTF-8; otherwise a copy in `repaired` with
// each byte that is not part of a valid sequence replaced by U+FFFD.
std::string_view asValidUtf8(std::string_view text, std::string& repaired);

}  // namespace tessaly
