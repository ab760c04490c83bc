#include "rtf_texts.h"

#include <cstdio>

namespace tyx12::detail {

namespace {

std::size_t writeUnit(unsigned unit, char* out) {
    const int signedUnit = unit < 0x8000 ? static_cast<int>(unit) : static_cast<int>(unit) - 0x10000;
    // Room for "\u-32768?" and the NUL snprintf adds.
    char text[12];
    const int length = std::snprintf(text, sizeof text, "\\u%d?", signedUnit);
    for (int i = 0; i < length; ++i) out[i] = text[i];
    return static_cast<std::size_t>(length);
}

}  // namespace

std::size_t writeUnicodeEscape(Char c, char* out) {
    if (c <= 0xFFFF) return writeUnit(c, out);
    const Char offset = c - 0x10000;
    const std::size_t high = writeUnit(0xD800 + (offset >> 10), out);
    return high + writeUnit(0xDC00 + (offset & 0x3FF), out + high);
}

}  // namespace tyx12::detail
