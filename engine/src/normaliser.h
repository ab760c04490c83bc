// Turns a file's characters into the normalised text (and, when case is
// ignored, the folded text alongside it, position for position), fed piece by
// piece as the file is read.
#pragma once

#include <cstddef>
#include <limits>

#include "block_run.h"
#include "char_class.h"
#include "text_view.h"

namespace tyx12::detail {

namespace normalising {
enum CharRole : unsigned char { Kept, RunChar, Dropped };

// What the rule does with each ASCII character, looked up rather than branched
// on: binary files mix the classes at random.
struct AsciiTables {
    unsigned char normalised[128];
    unsigned char folded[128];
    CharRole role[128];

    constexpr AsciiTables() : normalised(), folded(), role() {
        for (unsigned c = 0; c < 128; ++c) {
            switch (asciiTextRole(c)) {
            case TextRole::Kept: normalised[c] = static_cast<unsigned char>(c), role[c] = Kept; break;
            case TextRole::LineBreak: normalised[c] = '\n', role[c] = Kept; break;
            case TextRole::Blank: normalised[c] = ' ', role[c] = Kept; break;
            case TextRole::Dropped: normalised[c] = ' ', role[c] = Dropped; break;
            case TextRole::Run: normalised[c] = ' ', role[c] = RunChar; break;
            }
            folded[c] = static_cast<unsigned char>(lowerAscii(normalised[c]));
        }
    }
};

inline constexpr AsciiTables kAscii;
}  // namespace normalising

class Normaliser {
public:
    // Both outputs need room for every character fed plus two; folded may be null.
    Normaliser(Char* normalised, Char* folded);
    // With a chosen block run, or none for the character-by-character rule alone.
    Normaliser(Char* normalised, Char* folded, BlockRun blockRun);

    // Bytes read as UTF-8 or Windows-1252 (see TextDecoder): ASCII stretches go
    // through the block run. Returns how many bytes were used; the rest, the
    // start of a character cut by the end of the piece, comes again.
    std::size_t feedUtf8OrWindows1252(const unsigned char* bytes, std::size_t count, bool atEnd);

    // One character, decoded elsewhere.
    void put(Char c) { folded_ ? putImpl<true>(c) : putImpl<false>(c); }

    // The text so far, NUL-terminated; more may follow.
    std::size_t finish();
    std::size_t length() const { return position_; }

    // The caller dropped the text's first `count` characters, and maybe moved
    // the rest to new buffers.
    void textMoved(std::size_t count, Char* normalised, Char* folded);

private:
    template <bool Fold>
    void putImpl(Char c);
    template <bool Fold>
    std::size_t feedImpl(const unsigned char* bytes, std::size_t count, bool atEnd);

    static constexpr std::size_t kNoMark = std::numeric_limits<std::size_t>::max();

    Char* normalised_;
    Char* folded_;
    BlockRun blockRun_;
    std::size_t position_ = 0;
    // Position just after the last space written for a run of control bytes:
    // while nothing else has been written since, further such bytes add nothing.
    std::size_t runMark_ = 0;
};


template <bool Fold>
inline void Normaliser::putImpl(Char c) {
    using namespace normalising;
    Char shown, lowered;
    CharRole role;
    if (c < 0x80) {
        shown = kAscii.normalised[c];
        lowered = kAscii.folded[c];
        role = kAscii.role[c];
    } else if (const CharInfo info = charInfo(c); info.kind == CharKind::Word || info.kind == CharKind::Kept) {
        shown = c;
        lowered = info.folded;
        role = Kept;
    } else if (info.kind == CharKind::Blank) {
        shown = lowered = ' ';
        role = Kept;
    } else {
        shown = lowered = ' ';
        role = RunChar;
    }
    // Written even when the character adds nothing: the next one overwrites
    // it, or it lies past the end of the text.
    normalised_[position_] = shown;
    if constexpr (Fold) folded_[position_] = lowered;
    // A run of such characters gives one space: only the first advances.
    const bool advances = role == Kept || (role == RunChar && position_ != runMark_);
    position_ += advances;
    if (role == RunChar && advances) runMark_ = position_;
}

}  // namespace tyx12::detail
