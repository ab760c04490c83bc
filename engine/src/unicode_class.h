// Character classes and case folding beyond ASCII. Plain table lookups,
// independent of any locale: a search must find the same words whatever the
// machine's settings are.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tyx12::detail {

// How normalisation and the word tests see a character.
enum class CharKind : unsigned char {
    Run = 0,    // not kept: controls, line and paragraph separators, format characters,
                // unassigned, private use, surrogates, U+FFFD
    Word = 1,   // a word character: general category L*, N* or M*; for ASCII: 0-9 A-Z a-z only
    Kept = 2,   // kept in the text but a word boundary: punctuation and symbols of every
                // script, and printable ASCII that is not a letter or digit (0x20-0x7E incl. space)
    Blank = 3,  // a space separator beyond ASCII (no-break space, ideographic space): one blank
};

// Defined in unicode_tables.cpp, which scripts/generate-unicode-tables writes.
// A character's entry packs its fold delta above two bits of CharKind, so one
// load answers both questions.
extern const std::uint8_t kAsciiKinds[128];
extern const std::uint8_t kCharBlockOf[0x110000 >> 8];
extern const std::uint8_t kCharBlocks[];
extern const std::int32_t kCharEntries[];

inline std::int32_t charEntry(char32_t c) {
    return kCharEntries[kCharBlocks[(std::size_t{kCharBlockOf[c >> 8]} << 8) | (c & 0xFF)]];
}

// Both answers from one lookup, for a character beyond ASCII.
struct CharInfo {
    CharKind kind;
    char32_t folded;
};
inline CharInfo charInfo(char32_t c) {
    if (c > 0x10FFFF) return {CharKind::Run, c};
    const std::int32_t entry = charEntry(c);
    return {static_cast<CharKind>(entry & 3), static_cast<char32_t>(static_cast<std::int32_t>(c) + (entry >> 2))};
}

inline CharKind charKind(char32_t c) {
    if (c < 0x80) return static_cast<CharKind>(kAsciiKinds[c]);
    if (c > 0x10FFFF) return CharKind::Run;
    return static_cast<CharKind>(charEntry(c) & 3);
}

inline char32_t simpleFold(char32_t c) {
    if (c < 0x80) return c - U'A' < 26 ? c + (U'a' - U'A') : c;
    if (c > 0x10FFFF) return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + (charEntry(c) >> 2));
}

// Bytes 0x80-0x9F of Windows-1252; the five it leaves unassigned read as U+FFFD
// so that they never pass for a word.
inline constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

constexpr char32_t fromWindows1252(unsigned char b) {
    return b - 0x80u < 32 ? kWindows1252High[b - 0x80] : char32_t{b};
}

}  // namespace tyx12::detail
