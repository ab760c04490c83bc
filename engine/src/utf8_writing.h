// Characters written out as UTF-8, for what the engine hands to callers as
// text: a word index's words and terms.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tyx12::detail {

// Writes `c` to `out` (room for 4 bytes); returns how many bytes it took.
inline std::size_t encodeUtf8(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    std::size_t count;
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        count = 1;
    } else if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        count = 2;
    } else {
        out[0] = static_cast<char>(0xF0 | (c >> 18));
        out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        count = 3;
    }
    out[count] = static_cast<char>(0x80 | (c & 0x3F));
    return count + 1;
}

inline void appendUtf8(std::string& out, char32_t c) {
    char bytes[4];
    out.append(bytes, encodeUtf8(c, bytes));
}

inline std::string utf8Of(std::u32string_view text) {
    std::string out;
    for (const char32_t c : text) appendUtf8(out, c);
    return out;
}

}  // namespace tyx12::detail
