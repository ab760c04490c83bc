// Compiled with AVX2 enabled; only called where the processor has it.
#include "substring_search.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include <cstring>

namespace tyx12::detail {

// Tests 8 candidate starts at once by the needle's first and last character,
// and compares the middle only where both agree: in text, that is rare.
const Char* findSubstringAvx2(const Char* haystack, std::size_t haystackLength, const Char* needle,
                              std::size_t needleLength) {
    if (haystackLength < needleLength) return nullptr;
    const __m256i first = _mm256_set1_epi32(static_cast<int>(needle[0]));
    const __m256i last = _mm256_set1_epi32(static_cast<int>(needle[needleLength - 1]));
    const std::size_t lastOffset = needleLength - 1;
    std::size_t i = 0;
    for (; i + 8 + lastOffset <= haystackLength; i += 8) {
        const __m256i starts = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(haystack + i));
        const __m256i ends = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(haystack + i + lastOffset));
        unsigned candidates = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(
            _mm256_and_si256(_mm256_cmpeq_epi32(starts, first), _mm256_cmpeq_epi32(ends, last)))));
        while (candidates) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(candidates));
            if (std::memcmp(haystack + at + 1, needle + 1, (needleLength - 2) * sizeof(Char)) == 0)
                return haystack + at;
            candidates &= candidates - 1;
        }
    }
    return findSubstringPlain(haystack + i, haystackLength - i, needle, needleLength);
}

}  // namespace tyx12::detail

#endif
