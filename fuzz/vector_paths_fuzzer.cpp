// Random bytes through every normalisation path and every substring search:
// the vector paths must agree with the byte rule and with memmem exactly.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "block_run.h"
#include "cpu_features.h"
#include "normaliser.h"
#include "substring_search.h"

namespace {

using namespace tyx12::detail;

std::string normalise(const std::string& input, bool fold, BlockRun run, std::size_t chunk) {
    static std::vector<char> normalised(kNormalisedCapacity), folded(kNormalisedCapacity);
    Normaliser normaliser(normalised.data(), fold ? folded.data() : nullptr, run);
    const auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
    for (std::size_t at = 0; at < input.size(); at += chunk)
        if (!normaliser.feed(bytes + at, std::min(chunk, input.size() - at))) break;
    const std::size_t length = normaliser.finish();
    return std::string(normalised.data(), length) + '|' +
           (fold ? std::string(folded.data(), length) : std::string());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool fold = input.ConsumeBool();
    const std::size_t chunk = input.ConsumeIntegralInRange<std::size_t>(1, 4096);
    const std::string needle = input.ConsumeRandomLengthString(16);
    const std::string text = input.ConsumeRemainingBytesAsString();

#if defined(__x86_64__) || defined(__i386__)
    const std::string plain = normalise(text, fold, nullptr, chunk);
    if (normalise(text, fold, sse2BlockRun(fold), chunk) != plain) std::abort();
    if (hasAvx2() && normalise(text, fold, avx2BlockRun(fold), chunk) != plain) std::abort();
#endif

    if (!needle.empty()) {
        const void* expected = memmem(text.data(), text.size(), needle.data(), needle.size());
        if (findSubstring(text.data(), text.size(), needle.data(), needle.size()) != expected)
            std::abort();
    }
    return 0;
}
