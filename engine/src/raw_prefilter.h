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
// say one written in Greek).
#pragma once

#include <array>
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
    WordsFound mayHold(RawSource& source, std::vector<unsigned char>& scratch);

    // Whether the combining rule could say match, given what mayHold said.
    bool couldMatch(const WordsFound& mayHold) const;

private:
    struct Needle {
        std::string bytes;       // lower-cased when case is ignored
        std::string caseMasks;   // 0x20 where either case matches
        std::size_t probes[2] = {0, 0};  // the two rarest bytes, tested first
        bool foldsFromBeyondAscii = false;  // holds k or s, with case ignored
    };
    static Needle needleOf(std::u32string_view core, bool ignoreCase);
    bool settled(const WordsFound& seen, const WordsFound& unseen) const;
    void scan(const unsigned char* bytes, std::size_t count, WordsFound& seen, WordsFound& unseen) const;

    const Query& query_;
    std::array<Needle, kWordSlots> needles_;
    bool ignoreCase_;
};

// The bytes without their NULs; `out` takes `count` + 8 bytes.
std::size_t withoutNuls(const unsigned char* in, std::size_t count, unsigned char* out);

// Whether the needle occurs in the bytes (either case where its masks say);
// exposed for the tests that hold the vector path against the plain one.
bool holdsNeedle(const unsigned char* bytes, std::size_t count, const std::string& needle,
                 const std::string& caseMasks, std::size_t probe1, std::size_t probe2, bool useVectors);

}  // namespace tyx12::detail
