// The vector paths of normalisation and substring search give byte for byte
// what the plain ones give. These run inside the library, below its exports,
// because the exports always take the fastest path the processor has.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "block_run.h"
#include "cpu_features.h"
#include "normaliser.h"
#include "substring_search.h"

namespace tyx12::detail {
namespace {

struct Normalised {
    std::string normalised;
    std::string folded;
    bool operator==(const Normalised&) const = default;
};

Normalised normalise(const std::string& input, bool fold, BlockRun run, std::size_t chunk) {
    std::vector<char> normalised(kNormalisedCapacity), folded(kNormalisedCapacity);
    Normaliser normaliser(normalised.data(), fold ? folded.data() : nullptr, run);
    const auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
    for (std::size_t at = 0; at < input.size(); at += chunk)
        if (!normaliser.feed(bytes + at, std::min(chunk, input.size() - at))) break;
    const std::size_t length = normaliser.finish();
    return {std::string(normalised.data(), length),
            fold ? std::string(folded.data(), length) : std::string()};
}

// Text with every kind of byte, in runs, at every offset within a block.
std::string mixedBytes(std::mt19937& random, std::size_t size) {
    static const unsigned char kinds[] = {'a', 'Z', ' ', '.', '\r', '\n', '\t', 0x00, 0x01,
                                          0x1f, 0x7f, 0x80, 0x92, 0xe9, 0xff, '{', '\\'};
    std::string text;
    while (text.size() < size) {
        const unsigned char kind = kinds[random() % sizeof kinds];
        const std::size_t run = random() % 4 == 0 ? 1 + random() % 40 : 1;
        if (kind == 'a' || kind == 'Z')
            for (std::size_t i = 0; i < run; ++i) text += static_cast<char>(kind + (kind == 'a' ? random() % 26 : -(random() % 26)));
        else
            text.append(run, static_cast<char>(kind));
    }
    return text;
}

TEST(VectorPaths, NormalisationMatchesTheByteRule) {
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

TEST(VectorPaths, NormalisationStopsAtTheCapOnEveryPath) {
    const std::string input(kNormalisedCap + 5000, 'x');
    const Normalised plain = normalise(input, true, nullptr, 4096);
    EXPECT_EQ(plain.normalised.size(), kNormalisedCap + 1);
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_EQ(normalise(input, true, sse2BlockRun(true), 4096), plain);
    if (hasAvx2()) {
        EXPECT_EQ(normalise(input, true, avx2BlockRun(true), 4096), plain);
    }
#endif
}

TEST(VectorPaths, SubstringSearchAgreesWithMemmem) {
#if defined(__x86_64__) || defined(__i386__)
    if (!hasAvx2()) GTEST_SKIP() << "no AVX2 on this processor";
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        // A small alphabet makes near misses and overlapping candidates common.
        std::string haystack(random() % 300, 'a');
        for (char& c : haystack) c = static_cast<char>('a' + random() % 3);
        std::string needle(2 + random() % 6, 'a');
        for (char& c : needle) c = static_cast<char>('a' + random() % 3);
        const std::size_t start = haystack.empty() ? 0 : random() % haystack.size();
        const char* expected = static_cast<const char*>(
            memmem(haystack.data() + start, haystack.size() - start, needle.data(), needle.size()));
        EXPECT_EQ(findSubstringAvx2(haystack.data() + start, haystack.size() - start, needle.data(),
                                    needle.size()),
                  expected)
            << haystack << " / " << needle;
    }
#else
    GTEST_SKIP() << "no vector search on this processor";
#endif
}

}  // namespace
}  // namespace tyx12::detail
