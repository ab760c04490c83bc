// The vector paths of normalisation, substring search and the raw-byte
// prefilter give exactly what the plain ones give. These run inside the
// library, below its exports, because the exports always take the fastest
// path the processor has.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "block_run.h"
#include "cpu_features.h"
#include "normaliser.h"
#include "raw_prefilter.h"
#include "substring_search.h"

namespace tyx12::detail {
namespace {

struct Normalised {
    std::u32string normalised;
    std::u32string folded;
    bool operator==(const Normalised&) const = default;
};

// Fed in pieces of `chunk` bytes; a character cut by a piece's end comes again.
Normalised normalise(const std::string& input, bool fold, BlockRun run, std::size_t chunk) {
    std::vector<Char> normalised(input.size() + 64), folded(input.size() + 64);
    Normaliser normaliser(normalised.data(), fold ? folded.data() : nullptr, run);
    std::string pending;
    for (std::size_t at = 0; at < input.size();) {
        const std::size_t take = std::min(chunk, input.size() - at);
        pending += input.substr(at, take);
        at += take;
        const std::size_t used = normaliser.feedUtf8OrWindows1252(
            reinterpret_cast<const unsigned char*>(pending.data()), pending.size(), at == input.size());
        pending.erase(0, used);
    }
    const std::size_t length = normaliser.finish();
    return {std::u32string(normalised.data(), length),
            fold ? std::u32string(folded.data(), length) : std::u32string()};
}

// Text with every kind of byte and character, in runs, at every offset
// within a block: well-formed UTF-8 and bytes that are not.
std::string mixedBytes(std::mt19937& random, std::size_t size) {
    static const char* const kinds[] = {"a", "Z", " ", ".", "\r", "\n", "\t", "NUL",
                                        "\x01", "\x1f", "\x7f", "\x80", "\x92", "\xe9", "\xff", "{", "\\",
                                        "\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x98\x80", "\xe2\x84\xaa",
                                        "\xc3", "\xe2\x82", "\xed\xa0\x80", "\xc0\xaf"};
    std::string text;
    while (text.size() < size) {
        const std::size_t kind = random() % (sizeof kinds / sizeof kinds[0]);
        const std::size_t run = random() % 4 == 0 ? 1 + random() % 40 : 1;
        for (std::size_t i = 0; i < run; ++i) {
            if (kind == 7) {
                text.push_back('\0');
            } else if (kind < 2) {
                text.push_back(static_cast<char>(kinds[kind][0] + (kind == 0 ? random() % 26 : -(random() % 26))));
            } else {
                text += kinds[kind];
            }
        }
    }
    return text;
}

TEST(VectorPaths, NormalisationMatchesTheCharacterRule) {
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        const std::string input = mixedBytes(random, 1 + random() % 3000);
        const std::size_t chunk = 1 + random() % 700;
        for (bool fold : {false, true}) {
            const Normalised plain = normalise(input, fold, nullptr, chunk);
#if defined(__x86_64__) || defined(__i386__)
            EXPECT_EQ(normalise(input, fold, sse2BlockRun(fold), chunk), plain) << "sse2, round " << round;
            if (hasAvx2()) {
                EXPECT_EQ(normalise(input, fold, avx2BlockRun(fold), chunk), plain) << "avx2, round " << round;
            }
#endif
        }
    }
}

TEST(VectorPaths, SubstringSearchAgreesWithThePlainOne) {
#if defined(__x86_64__) || defined(__i386__)
    if (!hasAvx2()) GTEST_SKIP() << "no AVX2 on this processor";
    std::mt19937 random(7);
    // A small alphabet makes near misses and overlapping candidates common.
    const Char alphabet[] = {U'a', U'b', U'\u00e9'};
    for (int round = 0; round < 3000; ++round) {
        std::u32string haystack(random() % 300, U'a');
        for (Char& c : haystack) c = alphabet[random() % 3];
        std::u32string needle(2 + random() % 6, U'a');
        for (Char& c : needle) c = alphabet[random() % 3];
        const std::size_t start = haystack.empty() ? 0 : random() % haystack.size();
        EXPECT_EQ(findSubstringAvx2(haystack.data() + start, haystack.size() - start, needle.data(), needle.size()),
                  findSubstringPlain(haystack.data() + start, haystack.size() - start, needle.data(), needle.size()));
    }
#else
    GTEST_SKIP() << "no vector search on this processor";
#endif
}

TEST(VectorPaths, NeedleSearchAgreesWithThePlainOne) {
    if (vectorWidths().empty()) GTEST_SKIP() << "no vector search on this processor";
    std::mt19937 random(5);
    const char alphabet[] = {'a', 'B', 'b', '_', 'A', '\x81'};
    for (int round = 0; round < 3000; ++round) {
        std::string haystack(random() % 300, 'a');
        for (char& c : haystack) c = alphabet[random() % sizeof alphabet];
        // Half the rounds hold a NUL somewhere.
        if (round % 2 && !haystack.empty()) haystack[random() % haystack.size()] = '\0';
        std::string needle(1 + random() % 6, 'a'), masks;
        for (char& c : needle) {
            c = "ab_"[random() % 3];
            masks.push_back(c != '_' && random() % 2 ? 0x20 : 0);
        }
        const std::size_t probe1 = random() % needle.size(), probe2 = random() % needle.size();
        const auto* bytes = reinterpret_cast<const unsigned char*>(haystack.data());
        const std::size_t plain = findNeedle(bytes, haystack.size(), needle, masks, probe1, probe2, false);
        const std::size_t firstNul = haystack.find('\0');
        for (const VectorWidth& width : vectorWidths()) {
            EXPECT_EQ(width.findNeedle(bytes, haystack.size(), needle, masks, probe1, probe2), plain)
                << width.name << ": " << haystack << " / " << needle;
            // Stopping at a NUL may come early, but never hides a needle
            // that stands before every NUL.
            bool nulMet = false;
            const std::size_t at = width.findNeedleBeforeNul(bytes, haystack.size(), needle, masks, probe1, probe2, nulMet);
            if (nulMet) EXPECT_NE(firstNul, std::string::npos) << width.name;
            else EXPECT_TRUE(at == plain && (firstNul == std::string::npos || at < firstNul))
                << width.name << ": " << haystack << " / " << needle;
        }
    }
}

TEST(VectorPaths, NulsTakenOutAsThePlainWayDoes) {
    if (vectorWidths().empty()) GTEST_SKIP() << "no vector paths on this processor";
    std::mt19937 random(9);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 400, 'a');
        for (char& c : bytes) c = random() % 3 == 0 ? '\0' : static_cast<char>(random());
        std::string expected = bytes;
        expected.erase(std::remove(expected.begin(), expected.end(), '\0'), expected.end());
        for (const VectorWidth& width : vectorWidths()) {
            std::vector<unsigned char> out(bytes.size() + 64);
            const std::size_t count =
                width.withoutNuls(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), out.data());
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data()), count), expected) << width.name;
        }
    }
}

}  // namespace
}  // namespace tyx12::detail
