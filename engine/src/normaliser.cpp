#include "normaliser.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "char_class.h"

namespace tyx12::detail {

namespace {

constexpr std::size_t kBlock = 16;

// The bytes of a block by what normalisation does with them, one bit a byte.
struct BlockClasses {
    unsigned special;      // anything but printable ASCII
    unsigned lineBreak;    // carriage return and tab
    unsigned dropped;      // NUL
    unsigned runByte;      // the rest but 0x92: one space for a run of them
};

#if defined(__SSE2__)
inline unsigned bytesEqual(__m128i bytes, char value) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(value))));
}

inline BlockClasses classify(__m128i bytes) {
    BlockClasses c;
    // As signed bytes, 0x80 to 0xFF are negative, so one compare catches them
    // with the control characters.
    c.special = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20)))) |
                bytesEqual(bytes, 0x7F);
    c.lineBreak = bytesEqual(bytes, 0x0D) | bytesEqual(bytes, 0x09);
    c.dropped = bytesEqual(bytes, 0x00);
    c.runByte = c.special & ~(c.lineBreak | c.dropped | bytesEqual(bytes, '\x92'));
    return c;
}

// Expands a 16-bit mask to a byte mask.
inline __m128i byteMask(unsigned bits) {
    __m128i lanes = _mm_cvtsi32_si128(static_cast<int>(bits));
    lanes = _mm_unpacklo_epi8(lanes, lanes);
    lanes = _mm_unpacklo_epi16(lanes, lanes);
    lanes = _mm_unpacklo_epi32(lanes, lanes);  // the low byte eight times, then the high one
    const __m128i select = _mm_set_epi8(static_cast<char>(0x80), 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01,
                                        static_cast<char>(0x80), 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01);
    return _mm_cmpeq_epi8(_mm_and_si128(lanes, select), select);
}

inline __m128i replaceBytes(__m128i bytes, unsigned where, char with) {
    const __m128i mask = byteMask(where);
    return _mm_or_si128(_mm_andnot_si128(mask, bytes), _mm_and_si128(mask, _mm_set1_epi8(with)));
}

inline __m128i lowered(__m128i bytes) {
    const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('A' - 1)),
                                        _mm_cmplt_epi8(bytes, _mm_set1_epi8('Z' + 1)));
    return _mm_add_epi8(bytes, _mm_and_si128(upper, _mm_set1_epi8(0x20)));
}
#endif

}  // namespace

bool Normaliser::feed(const unsigned char* bytes, std::size_t count) {
    return folded_ ? feedImpl<true>(bytes, count) : feedImpl<false>(bytes, count);
}

template <bool Fold>
bool Normaliser::feedImpl(const unsigned char* bytes, std::size_t count) {
    char* const normalised = normalised_;
    char* const folded = folded_;
    std::size_t pos = position_;
    std::size_t runMark = runMark_;
    std::size_t i = 0;
    while (i < count) {
#if defined(__SSE2__)
        if (i + kBlock <= count && pos + kBlock <= kNormalisedCap) {
            __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
            const BlockClasses c = classify(block);
            // In ordinary text every byte of a block gives one character: line
            // breaks and lone control bytes (the LF of CR LF) are replaced in
            // place. Dropped bytes and runs need the byte-by-byte rule below.
            const bool oneForOne = !c.dropped && !(c.runByte & (c.runByte << 1)) &&
                                   !((c.runByte & 1) && pos == runMark);
            if (oneForOne) {
                // Without branches: in text with line ends every few blocks,
                // "has the block a special byte" is a coin toss for the predictor.
                block = replaceBytes(block, c.lineBreak, '\n');
                block = replaceBytes(block, c.runByte, ' ');
                const std::size_t afterLastRunByte =
                    pos + static_cast<std::size_t>(32 - __builtin_clz(c.runByte | 1));
                runMark = c.runByte ? afterLastRunByte : runMark;
                _mm_storeu_si128(reinterpret_cast<__m128i*>(normalised + pos), block);
                if constexpr (Fold) _mm_storeu_si128(reinterpret_cast<__m128i*>(folded + pos), lowered(block));
                pos += kBlock;
                i += kBlock;
                continue;
            }
        }
#endif
        const unsigned char b = bytes[i++];
        if (isPrintable(b)) {
            normalised[pos] = static_cast<char>(b);
            if constexpr (Fold) folded[pos] = static_cast<char>(lowerAscii(b));
            ++pos;
        } else if (b == 0x0D || b == 0x09) {
            normalised[pos] = '\n';
            if constexpr (Fold) folded[pos] = '\n';
            ++pos;
        } else if (b == 0x92) {
            normalised[pos] = static_cast<char>(b);
            if constexpr (Fold) folded[pos] = static_cast<char>(b);
            ++pos;
        } else if (b != 0x00 && pos != runMark) {
            normalised[pos] = ' ';
            if constexpr (Fold) folded[pos] = ' ';
            runMark = ++pos;
        }
        if (pos > kNormalisedCap) {
            position_ = pos;
            runMark_ = runMark;
            return false;
        }
    }
    position_ = pos;
    runMark_ = runMark;
    return true;
}

std::size_t Normaliser::finish() {
    normalised_[position_] = '\0';
    if (folded_) folded_[position_] = '\0';
    return position_;
}

}  // namespace tyx12::detail
