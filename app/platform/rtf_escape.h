// Text into RTF: what our documents write for names and paths that may hold
// any character, and how such text is read back.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// Escapes "\", "{" and "}", and writes control characters and every
// character outside ASCII as "\uN?" (N the signed 16-bit unit, characters
// beyond the first plane as a surrogate pair). Bytes that are not valid
// UTF-8, which a Linux file name may hold, are written as the units U+DC80 to
// U+DCFF, one per byte, so that the exact bytes come back from bytesFromUtf16.
std::string escapeRtfText(std::string_view utf8);

// The text as UTF-16 units, losing nothing: bytes that are not valid UTF-8
// become the units U+DC80 to U+DCFF.
std::u16string utf16FromBytes(std::string_view bytes);
void appendUtf16FromBytes(std::u16string& units, std::string_view bytes);

// Turns a run of UTF-16 units read from "\uN" escapes and plain ASCII back
// into bytes: UTF-8 for real characters, the original byte for U+DC80 to
// U+DCFF.
std::string bytesFromUtf16(std::u16string_view units);

}  // namespace tessaly
