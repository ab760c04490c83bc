// Random bytes through every vector path beside its plain twin: normalisation
// by blocks, the substring search over characters, the raw-byte needle search
// and the NUL stripping must each give exactly what the plain way gives.
// Buffers are exactly as large as promised, so AddressSanitizer sees any
// write past them.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "block_run.h"
#include "cpu_features.h"
#include "normaliser.h"
#include "raw_prefilter.h"
#include "substring_search.h"

namespace {

using namespace tyx12::detail;

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "paths disagree: %s\n", what);
        std::abort();
    }
}

struct Normalised {
    std::u32string normalised;
    std::u32string folded;
    bool operator==(const Normalised&) const = default;
};

// Fed in pieces of `chunk` bytes, as the file text feeds it: what a piece
// leaves unused, a character cut short, comes again before the next piece.
Normalised normalise(const std::string& input, bool fold, BlockRun run, std::size_t chunk) {
    // Every character fed plus two, no more.
    const std::size_t room = input.size() + 2;
    std::unique_ptr<Char[]> normalised(new Char[room]), folded(fold ? new Char[room] : nullptr);
    Normaliser normaliser(normalised.get(), folded.get(), run);
    std::string pending;
    for (std::size_t at = 0; at < input.size();) {
        const std::size_t take = std::min(chunk, input.size() - at);
        pending.append(input, at, take);
        at += take;
        const bool atEnd = at == input.size();
        const std::size_t used = normaliser.feedUtf8OrWindows1252(
            reinterpret_cast<const unsigned char*>(pending.data()), pending.size(), atEnd);
        check(used <= pending.size(), "no more bytes used than fed");
        pending.erase(0, used);
        // A character takes four bytes at most, and the end leaves nothing over.
        check(pending.size() < 4 && (!atEnd || pending.empty()), "only a cut character is left over");
    }
    const std::size_t length = normaliser.finish();
    check(length <= input.size(), "no more characters than bytes");
    return {std::u32string(normalised.get(), length),
            fold ? std::u32string(folded.get(), length) : std::u32string()};
}

// Few characters, so that near misses and overlapping candidates are common;
// some differ from others only in their high bytes, where a narrow compare
// would take them for equal.
std::u32string characters(const std::string& bytes) {
    static constexpr Char kAlphabet[] = {U'a', U'b', U'\u00e9', U'\u0161', 0x10061, U'\U0001F600', U' ', U'\u0100'};
    std::u32string out;
    for (unsigned char b : bytes) out.push_back(kAlphabet[b % 8]);
    return out;
}

void normalisationPaths(const std::string& text, bool fold, std::size_t chunk) {
    // The plain rule over the whole text at once is the reference.
    const Normalised whole = normalise(text, fold, nullptr, text.size() + 1);
    check(normalise(text, fold, nullptr, chunk) == whole, "plain normalisation in pieces");
#if defined(__x86_64__) || defined(__i386__)
    check(normalise(text, fold, sse2BlockRun(fold), chunk) == whole, "sse2 normalisation");
    if (hasAvx2()) check(normalise(text, fold, avx2BlockRun(fold), chunk) == whole, "avx2 normalisation");
#endif
}

void substringPaths(const std::string& haystackBytes, const std::string& needleBytes, std::size_t start) {
#if defined(__x86_64__) || defined(__i386__)
    if (!hasAvx2() || needleBytes.size() < 2) return;
    const std::u32string haystackText = characters(haystackBytes), needleText = characters(needleBytes);
    // Exactly sized copies, entered at a fuzzed offset so that no alignment is assumed.
    start = std::min(start, haystackText.size());
    const std::size_t length = haystackText.size() - start;
    std::unique_ptr<Char[]> haystack(new Char[length]), needle(new Char[needleText.size()]);
    std::copy(haystackText.begin() + static_cast<std::ptrdiff_t>(start), haystackText.end(), haystack.get());
    std::copy(needleText.begin(), needleText.end(), needle.get());
    check(findSubstringAvx2(haystack.get(), length, needle.get(), needleText.size()) ==
              findSubstringPlain(haystack.get(), length, needle.get(), needleText.size()),
          "avx2 substring search");
#else
    (void)haystackBytes;
    (void)needleBytes;
    (void)start;
#endif
}

void needlePaths(const std::string& text, const std::string& needle, std::uint64_t caseBits,
                 std::size_t probe1, std::size_t probe2) {
    if (needle.empty()) return;
    // Either case matches only where the needle's byte has the small letter's bit.
    std::string masks;
    for (std::size_t k = 0; k < needle.size(); ++k)
        masks.push_back(caseBits >> (k % 64) & 1 && (needle[k] & 0x20) ? 0x20 : 0);
    probe1 %= needle.size();
    probe2 %= needle.size();
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[text.size()]);
    std::copy(text.begin(), text.end(), bytes.get());
    // Where, not only whether: the prefilter judges the bytes around the first place.
    const std::size_t plain = findNeedle(bytes.get(), text.size(), needle, masks, probe1, probe2, false);
    const std::size_t firstNul = text.find('\0');
    // Stopping at a NUL may come early, but never hides a needle in bytes
    // without one, nor names a needle that a NUL stands before.
    const auto checkStop = [&](std::size_t at, bool nulMet) {
        if (firstNul == std::string::npos) check(!nulMet && at == plain, "needle search stopping at a NUL");
        else if (nulMet) check(at == kNoNeedle, "a NUL met names no needle");
        else check(at == plain && at != kNoNeedle && at < firstNul, "a needle before the first NUL");
    };
    bool nulMet = false;
    std::size_t at = findNeedleBeforeNul(bytes.get(), text.size(), needle, masks, probe1, probe2, false, nulMet);
    checkStop(at, nulMet);
    for (const VectorWidth& width : vectorWidths()) {
        check(width.findNeedle(bytes.get(), text.size(), needle, masks, probe1, probe2) == plain,
              "vector needle search");
        at = width.findNeedleBeforeNul(bytes.get(), text.size(), needle, masks, probe1, probe2, nulMet);
        checkStop(at, nulMet);
    }
}

void nulPaths(const std::string& text) {
    std::string expected = text;
    std::erase(expected, '\0');
    for (const VectorWidth& width : vectorWidths()) {
        std::unique_ptr<unsigned char[]> out(new unsigned char[text.size() + 8]);
        const std::size_t written =
            width.withoutNuls(reinterpret_cast<const unsigned char*>(text.data()), text.size(), out.get());
        check(std::string(reinterpret_cast<const char*>(out.get()), written) == expected, "NULs taken out");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool fold = input.ConsumeBool();
    const std::size_t chunk = input.ConsumeIntegralInRange<std::size_t>(1, 4096);
    const std::size_t start = input.ConsumeIntegralInRange<std::size_t>(0, 31);
    const std::size_t probe1 = input.ConsumeIntegral<std::uint8_t>();
    const std::size_t probe2 = input.ConsumeIntegral<std::uint8_t>();
    const std::uint64_t caseBits = input.ConsumeIntegral<std::uint64_t>();
    const std::string needle = input.ConsumeRandomLengthString(40);
    const std::string text = input.ConsumeRemainingBytesAsString();

    normalisationPaths(text, fold, chunk);
    substringPaths(text, needle, start);
    needlePaths(text, needle, caseBits, probe1, probe2);
    nulPaths(text);
    return 0;
}
