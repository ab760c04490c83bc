// A file's bytes as characters. A byte-order mark announces UTF-16 (or UTF-8);
// without one, each well-formed UTF-8 sequence is one character and every
// other byte one Windows-1252 character, so UTF-8, Windows-1252 and a mix of
// the two all read as well as they can.
#pragma once

#include <cstddef>

#include "text_view.h"
#include "unicode_class.h"

namespace tyx12::detail {

enum class TextEncoding { Utf8OrWindows1252, Utf16LittleEndian, Utf16BigEndian };

struct EncodingMark {
    TextEncoding encoding = TextEncoding::Utf8OrWindows1252;
    std::size_t length = 0;  // bytes of the mark, which are not text
};

// From the first bytes of a file (all of them when it has fewer than three).
EncodingMark encodingMarkOf(const unsigned char* bytes, std::size_t count);

inline constexpr Char kReplacementChar = 0xFFFD;

// The UTF-8 sequence at bytes[0]: its length when well-formed (shortest form,
// no surrogates, at most U+10FFFF), 0 when it is not, and -1 when the bytes
// there so far begin a well-formed sequence that `count` cuts short.
inline int utf8SequenceAt(const unsigned char* bytes, std::size_t count, Char& decoded) {
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

// Decodes bytes handed over piece by piece. Each call decodes what it can and
// returns how many bytes it used: the rest (at most three, the start of a
// character cut by the end of the piece) must be handed over again in front of
// the next piece. With `atEnd` everything is used.
class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding = TextEncoding::Utf8OrWindows1252)
        : encoding_(encoding) {}

    TextEncoding encoding() const { return encoding_; }

    template <typename Sink>
    std::size_t decode(const unsigned char* bytes, std::size_t count, bool atEnd, Sink&& sink) const {
        return encoding_ == TextEncoding::Utf8OrWindows1252
                   ? decodeUtf8OrWindows1252(bytes, count, atEnd, sink)
                   : decodeUtf16(bytes, count, atEnd, encoding_ == TextEncoding::Utf16BigEndian, sink);
    }

    // One step of the UTF-8 or Windows-1252 reading: the character at
    // bytes[0] and its length in bytes, or 0 when more bytes are needed.
    static std::size_t nextUtf8OrWindows1252(const unsigned char* bytes, std::size_t count, bool atEnd,
                                             Char& c) {
        if (bytes[0] < 0x80) {
            c = bytes[0];
            return 1;
        }
        const int length = utf8SequenceAt(bytes, count, c);
        if (length > 0) return static_cast<std::size_t>(length);
        if (length < 0 && !atEnd) return 0;
        c = fromWindows1252(bytes[0]);
        return 1;
    }

private:
    template <typename Sink>
    static std::size_t decodeUtf8OrWindows1252(const unsigned char* bytes, std::size_t count, bool atEnd,
                                               Sink& sink) {
        std::size_t i = 0;
        while (i < count) {
            Char c;
            const std::size_t used = nextUtf8OrWindows1252(bytes + i, count - i, atEnd, c);
            if (used == 0) break;
            sink(c);
            i += used;
        }
        return i;
    }

    template <typename Sink>
    static std::size_t decodeUtf16(const unsigned char* bytes, std::size_t count, bool atEnd,
                                   bool bigEndian, Sink& sink) {
        auto unitAt = [&](std::size_t i) -> Char {
            return bigEndian ? Char{bytes[i]} << 8 | bytes[i + 1] : Char{bytes[i + 1]} << 8 | bytes[i];
        };
        std::size_t i = 0;
        while (count - i >= 2) {
            const Char unit = unitAt(i);
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                if (count - i < 4) {
                    if (!atEnd) break;
                    sink(kReplacementChar);
                    i += 2;
                    continue;
                }
                const Char low = unitAt(i + 2);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    sink(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                    i += 4;
                } else {
                    sink(kReplacementChar);  // the unit after it is read on its own
                    i += 2;
                }
            } else {
                sink(unit >= 0xDC00 && unit <= 0xDFFF ? kReplacementChar : unit);
                i += 2;
            }
        }
        // A last odd byte is no character.
        return atEnd ? count : i;
    }

    TextEncoding encoding_;
};

}  // namespace tyx12::detail
