#include "platform/utf8.h"

namespace tessaly {

Utf8Sequence decodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return {lead, 1};
    std::size_t length;
    char32_t point;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, point = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, point = lead & 0x07;
    } else {
        return {};
    }
    if (at + length > text.size()) return {};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(at + k) & 0xC0) != 0x80) return {};
        point = (point << 6) | (byte(at + k) & 0x3F);
    }
    const bool shortest = length == 2 || (length == 3 && point >= 0x800) || (length == 4 && point >= 0x10000);
    if (!shortest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return {};
    return {point, length};
}

void appendUtf8(std::string& text, char32_t point) {
    if (point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) point = 0xFFFD;
    const auto put = [&](unsigned value) { text += static_cast<char>(value); };
    if (point < 0x80) {
        put(point);
    } else if (point < 0x800) {
        put(0xC0 | (point >> 6)), put(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        put(0xE0 | (point >> 12)), put(0x80 | ((point >> 6) & 0x3F)), put(0x80 | (point & 0x3F));
    } else {
        put(0xF0 | (point >> 18)), put(0x80 | ((point >> 12) & 0x3F)), put(0x80 | ((point >> 6) & 0x3F)),
            put(0x80 | (point & 0x3F));
    }
}

std::string_view asValidUtf8(std::string_view text, std::string& repaired) {
    std::size_t at = 0;
    const auto validUpTo = [&] {
        while (at < text.size()) {
            if (static_cast<unsigned char>(text[at]) < 0x80) {
                ++at;
                continue;
            }
            const std::size_t length = decodeUtf8(text, at).length;
            if (length == 0) return false;
            at += length;
        }
        return true;
    };
    if (validUpTo()) return text;
    repaired.assign(text.substr(0, at));
    while (at < text.size()) {
        const std::size_t from = at;
        if (validUpTo()) {
            repaired.append(text.substr(from));
            break;
        }
        repaired.append(text.substr(from, at - from));
        appendUtf8(repaired, 0xFFFD);
        ++at;
    }
    return repaired;
}

}  // namespace tessaly
