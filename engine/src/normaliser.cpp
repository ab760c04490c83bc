#include "normaliser.h"

#include <algorithm>

#include "char_class.h"

namespace tyx12::detail {

namespace {
// After a block that needed the byte-by-byte rule, stay with it for a while:
// binary files fail block after block, and retrying each one costs more than
// it saves.
constexpr std::size_t kBytewiseStretch = 32;

// What the byte-by-byte rule does with each byte, looked up rather than
// branched on: binary files mix the classes at random, and a mispredicted
// branch per byte would cost more than the whole lookup.
enum ByteClass : unsigned char { Kept, RunByte, Dropped };

struct ByteTables {
    unsigned char normalised[256];
    unsigned char folded[256];
    ByteClass byteClass[256];

    constexpr ByteTables() : normalised(), folded(), byteClass() {
        for (int b = 0; b < 256; ++b) {
            const auto c = static_cast<unsigned char>(b);
            if (isPrintable(c) || c == 0x92) {
                normalised[b] = c;
                byteClass[b] = Kept;
            } else if (c == 0x0D || c == 0x09) {
                normalised[b] = '\n';
                byteClass[b] = Kept;
            } else if (c == 0x00) {
                normalised[b] = ' ';
                byteClass[b] = Dropped;
            } else {
                normalised[b] = ' ';
                byteClass[b] = RunByte;
            }
            folded[b] = lowerAscii(normalised[b]);
        }
    }
};

constexpr ByteTables kTables;
}  // namespace

Normaliser::Normaliser(char* normalised, char* folded)
    : Normaliser(normalised, folded, blockRunFor(folded != nullptr)) {}

Normaliser::Normaliser(char* normalised, char* folded, BlockRun blockRun)
    : normalised_(normalised), folded_(folded), blockRun_(blockRun) {}

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
        if (blockRun_) {
            BlockCursor cursor{normalised, folded, pos, runMark, kNormalisedCap};
            i += blockRun_(bytes + i, count - i, cursor);
            pos = cursor.position;
            runMark = cursor.runMark;
        }
        const std::size_t stretchEnd = std::min(count, i + kBytewiseStretch);
        while (i < stretchEnd) {
            const unsigned char b = bytes[i++];
            // Written even when the byte adds nothing: the next character
            // overwrites it, or it lies past the end of the text.
            normalised[pos] = static_cast<char>(kTables.normalised[b]);
            if constexpr (Fold) folded[pos] = static_cast<char>(kTables.folded[b]);
            const ByteClass byteClass = kTables.byteClass[b];
            // A run of control bytes gives one space: only the first advances.
            const bool advances = byteClass == Kept || (byteClass == RunByte && pos != runMark);
            pos += advances;
            runMark = byteClass == RunByte && advances ? pos : runMark;
            if (pos > kNormalisedCap) {
                position_ = pos;
                runMark_ = runMark;
                return false;
            }
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
