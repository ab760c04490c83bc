// Compiled with AVX2 enabled; only called where the processor has it.
#include <immintrin.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "needle_find_impl.h"

namespace tyx12::detail {

namespace {

struct Avx2 {
    using Reg = __m256i;
    static constexpr std::size_t kWidth = 32;
    static Reg load(const unsigned char* p) { return _mm256_loadu_si256(reinterpret_cast<const Reg*>(p)); }
    static Reg splat(char c) { return _mm256_set1_epi8(c); }
    static Reg orr(Reg a, Reg b) { return _mm256_or_si256(a, b); }
    static unsigned long long equalBits(Reg a, Reg b) {
        return static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, b)));
    }
};

}  // namespace

std::size_t findNeedleAvx2(const unsigned char* bytes, std::size_t count, const std::string& needle,
                           const std::string& masks, std::size_t probe1, std::size_t probe2) {
    bool nulMet;
    return findNeedleIn<Avx2, false>(bytes, count, needle, masks, probe1, probe2, nulMet);
}

std::size_t findNeedleBeforeNulAvx2(const unsigned char* bytes, std::size_t count, const std::string& needle,
                                    const std::string& masks, std::size_t probe1, std::size_t probe2, bool& nulMet) {
    return findNeedleIn<Avx2, true>(bytes, count, needle, masks, probe1, probe2, nulMet);
}

}  // namespace tyx12::detail

namespace tyx12::detail {

namespace {

// For each 8-bit mask, the shuffle that packs the bytes whose bits are set to
// the front of an 8-byte group.
struct PackShuffles {
    unsigned long long forMask[256];
    constexpr PackShuffles() : forMask() {
        for (unsigned mask = 0; mask < 256; ++mask) {
            unsigned long long shuffle = ~0ull;  // 0xFF selects zero
            int slot = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (!(mask >> bit & 1)) continue;
                shuffle &= ~(0xFFull << (8 * slot));
                shuffle |= static_cast<unsigned long long>(bit) << (8 * slot);
                ++slot;
            }
            forMask[mask] = shuffle;
        }
    }
};
constexpr PackShuffles kPackShuffles;

}  // namespace

// Copies the bytes without their NULs, 32 at a time: whole blocks of text and
// whole blocks of holes cost one test each, and the blocks that mix them are
// packed eight bytes at a time. `out` may take 8 bytes past what is returned.
std::size_t copyWithoutNulsAvx2(const unsigned char* in, std::size_t count, unsigned char* out) {
    const __m256i zero = _mm256_setzero_si256();
    std::size_t written = 0, i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
        const unsigned kept = ~static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, zero)));
        if (kept == 0xFFFFFFFFu) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + written), block);
            written += 32;
            continue;
        }
        for (int group = 0; group < 4 && kept; ++group) {
            const unsigned mask = kept >> (8 * group) & 0xFF;
            if (!mask) continue;
            const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + i + 8 * group));
            const __m128i shuffle = _mm_cvtsi64_si128(static_cast<long long>(kPackShuffles.forMask[mask]));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + written), _mm_shuffle_epi8(bytes, shuffle));
            written += static_cast<std::size_t>(__builtin_popcount(mask));
        }
    }
    for (; i < count; ++i)
        if (in[i]) out[written++] = in[i];
    return written;
}

}  // namespace tyx12::detail
