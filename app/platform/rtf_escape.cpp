#include "platform/rtf_escape.h"

#include <algorithm>
#include <cstdint>

#include "platform/utf8.h"

namespace tessaly {

namespace {

void appendUnit(std::string& out, std::uint16_t unit) {
    out += "\\u";
    out += std::to_string(static_cast<std::int16_t>(unit));
    out += '?';
}

}  // namespace

std::u16string utf16FromBytes(std::string_view bytes) {
    std::u16string units;
    appendUtf16FromBytes(units, bytes);
    return units;
}

void appendUtf16FromBytes(std::u16string& units, std::string_view bytes) {
    units.reserve(units.size() + bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        // ASCII, most of any text, needs no decoding.
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            units += static_cast<char16_t>(bytes[i++]);
            continue;
        }
        const auto [point, length] = decodeUtf8(bytes, i);
        if (length == 0) {
            units += static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[i]));
            ++i;
            continue;
        }
        if (point < 0x10000) {
            units += static_cast<char16_t>(point);
        } else {
            const char32_t offset = point - 0x10000;
            units += static_cast<char16_t>(0xD800 + (offset >> 10));
            units += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
        }
        i += length;
    }
}

std::string escapeRtfText(std::string_view utf8) {
    // Most text, a path above all, is printable ASCII without RTF's own three.
    const bool plain = std::all_of(utf8.begin(), utf8.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
    });
    if (plain) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size() + 8);
    for (const char16_t unit : utf16FromBytes(utf8)) {
        if (unit >= 0x20 && unit < 0x80) {
            if (unit == '\\' || unit == '{' || unit == '}') out += '\\';
            out += static_cast<char>(unit);
        } else {
            // Control characters, line ends among them, are legal in a Linux
            // file name but would be dropped or misread as RTF source text.
            appendUnit(out, unit);
        }
    }
    return out;
}

std::string bytesFromUtf16(std::u16string_view units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t point = units[i];
        if (point >= 0xDC80 && point <= 0xDCFF) {
            out += static_cast<char>(point - 0xDC00);
            continue;
        }
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            point = 0xFFFD;  // a lone surrogate that no escape of ours produces
        }
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (point < 0x800) {
            out += static_cast<char>(0xC0 | (point >> 6));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            out += static_cast<char>(0xE0 | (point >> 12));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (point >> 18));
            out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return out;
}

}  // namespace tessaly
