// Rules out, from a file's raw bytes and before any decoding, the words its
// text cannot hold. Much cheaper than reading the file as text, and exact: a
// word is ruled out only when the text cannot hold it.
//
// Why it is exact: every word carries a needle, the longest stretch of its
// core made of printable ASCII other than the space. In a file without a
// UTF-16 mark, each such character of the text comes from that very byte
// (either case of it when case is ignored), and only NUL bytes, which the
// text drops, can stand between two of them; so the needle is in the bytes
// with their NULs taken out. Two characters beyond ASCII fold to ASCII
// letters, the Kelvin sign to "k" and the long s to "s": a file that holds
// either one rules out no word whose needle has that letter. Not ruled out,
// ever: any word of a UTF-16 file, a word without a needle (no such stretch:
// say one written in Greek). A word with a character beyond ASCII also needs
// a byte beyond ASCII somewhere in the file: no ASCII character folds to
// one, so the text cannot hold that character otherwise.
//
// A plain word, ASCII letters and digits only, is even decided: where its
// bytes stand together, the characters on either side are read from the
// bytes as the text would read them, and the word is known to be in the text
// as soon as one place has a boundary on both sides, and known not to be once
// no place has and no place has NULs between its bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "combining_rule.h"
#include "query.h"
#include "raw_source.h"

namespace tyx12::detail {

class RawPrefilter {
public:
    RawPrefilter(const Query& query, bool ignoreCase);

    // Reads the source from its first byte, no further than the answer needs,
    // and tells for each slot whether its word may be in the text (false for
    // an empty slot). Words not yet ruled out when reading stopped may hold.
    // `certain` tells which of them are known to be in it, and `firstAt` the
    // byte where the first of such a word stands.
    WordsFound mayHold(RawSource& source, std::vector<unsigned char>& scratch, WordsFound& certain,
                       std::array<std::uint64_t, kWordSlots>& firstAt);

    // Whether the combining rule could say match, given what mayHold said.
    bool couldMatch(const WordsFound& mayHold) const;

private:
    struct Needle {
        std::string bytes;       // lower-cased when case is ignored
        std::string caseMasks;   // 0x20 where either case matches
        std::size_t probes[2] = {0, 0};  // the two rarest bytes, tested first
        bool foldsFromBeyondAscii = false;  // holds k or s, with case ignored
        bool isWholeWord = false;  // the needle is the word, letters and digits only
        bool needsHighByte = false;  // the word has a character beyond ASCII
    };
    // The bytes being scanned: the file's own, and the same without NULs,
    // made only when asked for (binary files hold NULs, and most of their
    // pieces are decided without).
    struct Piece {
        const unsigned char* raw = nullptr;
        std::size_t rawCount = 0;
        bool exact = false;       // raw holds the file's own bytes (not a seam between two pieces)
        bool startsFile = false;  // nothing stands before them
        bool endsFile = false;    // nothing follows them
        std::uint64_t offset = 0; // where in the file they start
        std::vector<unsigned char>* scratch = nullptr;  // for the bytes without NULs; null: raw holds none

        struct Bytes {
            const unsigned char* data;
            std::size_t count;
        };
        Bytes withoutNuls() const;
        bool hasNuls() const;
        bool nulsKnown() const { return !scratch || nuls_ >= 0; }
        void noteNuls(bool held) const { nuls_ = held; }

        // What withoutNuls() made, kept for the next word.
        mutable bool stripped_ = false;
        mutable std::size_t strippedCount_ = 0;
        mutable int nuls_ = -1;  // unknown until a look needs it
    };
    enum class Verdict { Absent, Unsure, Present };
    static Verdict judgeAt(const Piece& piece, std::size_t at, std::size_t length);
    bool judgeWholeWord(const Needle& needle, const Piece& piece, bool& certain, std::uint64_t& firstAt) const;
    static Needle needleOf(std::u32string_view core, bool ignoreCase);
    // The same, worked out once for the words of a whole run, not per file.
    static const Needle& cachedNeedleOf(std::u32string_view core, bool ignoreCase);
    void scan(const Piece& piece, WordsFound& seen, WordsFound& unseen, WordsFound& certain,
              std::array<std::uint64_t, kWordSlots>& firstAt);

    const Query& query_;
    std::array<Needle, kWordSlots> needles_;
    // Of each word not yet seen whole: its needle, and a byte beyond ASCII.
    std::array<bool, kWordSlots> needleSeen_{};
    std::array<bool, kWordSlots> highByteSeen_{};
};

// The bytes without their NULs; `out` takes `count` + 64 bytes.
std::size_t withoutNuls(const unsigned char* in, std::size_t count, unsigned char* out);

// Where the needle first occurs in the bytes (either case where its masks
// say), or kNoNeedle; exposed for the tests that hold the vector path against
// the plain one.
inline constexpr std::size_t kNoNeedle = static_cast<std::size_t>(-1);
std::size_t findNeedle(const unsigned char* bytes, std::size_t count, const std::string& needle,
                       const std::string& caseMasks, std::size_t probe1, std::size_t probe2, bool useVectors);
// The same, for bytes that may hold NULs, which most do not: either the
// first needle, when no NUL stands before it, or kNoNeedle with `nulMet` set
// once a NUL has been seen (perhaps after a needle). Without any NUL in the
// bytes, exactly what findNeedle says.
std::size_t findNeedleBeforeNul(const unsigned char* bytes, std::size_t count, const std::string& needle,
                                const std::string& caseMasks, std::size_t probe1, std::size_t probe2,
                                bool useVectors, bool& nulMet);
// Each vector width the processor has, on its own: for the tests that hold
// every one against the plain way, not only the widest.
struct VectorWidth {
    const char* name;
    std::size_t (*findNeedle)(const unsigned char* bytes, std::size_t count, const std::string& needle,
                              const std::string& masks, std::size_t probe1, std::size_t probe2);
    std::size_t (*findNeedleBeforeNul)(const unsigned char* bytes, std::size_t count, const std::string& needle,
                                       const std::string& masks, std::size_t probe1, std::size_t probe2,
                                       bool& nulMet);
    std::size_t (*withoutNuls)(const unsigned char* in, std::size_t count, unsigned char* out);
};
std::vector<VectorWidth> vectorWidths();

inline bool holdsNeedle(const unsigned char* bytes, std::size_t count, const std::string& needle,
                        const std::string& caseMasks, std::size_t probe1, std::size_t probe2, bool useVectors) {
    return findNeedle(bytes, count, needle, caseMasks, probe1, probe2, useVectors) != kNoNeedle;
}

}  // namespace tyx12::detail
