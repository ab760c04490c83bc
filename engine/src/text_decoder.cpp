#include "text_decoder.h"

namespace tyx12::detail {

EncodingMark encodingMarkOf(const unsigned char* bytes, std::size_t count) {
    if (count >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return {TextEncoding::Utf8OrWindows1252, 3};
    if (count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return {TextEncoding::Utf16LittleEndian, 2};
    if (count >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return {TextEncoding::Utf16BigEndian, 2};
    return {};
}

int utf8SequenceAt(const unsigned char* bytes, std::size_t count, Char& decoded) {
    const unsigned char lead = bytes[0];
    int length;
    // The range the second byte must fall in keeps out overlong forms,
    // surrogates and code points past U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    Char c = lead & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) {
        if (static_cast<std::size_t>(k) >= count) return -1;
        const unsigned char next = bytes[k];
        if (next < low || next > high) return 0;
        low = 0x80;
        high = 0xBF;
        c = (c << 6) | (next & 0x3F);
    }
    decoded = c;
    return length;
}

}  // namespace tyx12::detail
