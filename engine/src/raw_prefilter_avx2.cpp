// Compiled with AVX2 enabled; only called where the processor has it.
#include <immintrin.h>

#include <cstddef>
#include <string>

namespace tyx12::detail {

// Tests 32 candidate starts at once by the needle's two rarest bytes, either
// case where the masks allow it, and compares the rest only where both agree.
bool holdsNeedleAvx2(const unsigned char* bytes, std::size_t count, const std::string& needle,
                     const std::string& masks, std::size_t probe1, std::size_t probe2) {
    const std::size_t length = needle.size();
    if (count < length) return false;
    const auto matchesAt = [&](const unsigned char* at) {
        for (std::size_t k = 0; k < length; ++k)
            if ((at[k] | static_cast<unsigned char>(masks[k])) != static_cast<unsigned char>(needle[k])) return false;
        return true;
    };
    const __m256i byte1 = _mm256_set1_epi8(needle[probe1]), mask1 = _mm256_set1_epi8(masks[probe1]);
    const __m256i byte2 = _mm256_set1_epi8(needle[probe2]), mask2 = _mm256_set1_epi8(masks[probe2]);
    std::size_t i = 0;
    for (; i + 32 + length - 1 <= count; i += 32) {
        const __m256i at1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i + probe1));
        const __m256i at2 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i + probe2));
        unsigned candidates = static_cast<unsigned>(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(at1, mask1), byte1),
                             _mm256_cmpeq_epi8(_mm256_or_si256(at2, mask2), byte2))));
        while (candidates) {
            if (matchesAt(bytes + i + static_cast<std::size_t>(__builtin_ctz(candidates)))) return true;
            candidates &= candidates - 1;
        }
    }
    for (; i + length <= count; ++i)
        if (matchesAt(bytes + i)) return true;
    return false;
}

}  // namespace tyx12::detail
