// Compiled with AVX2 enabled; only called where the processor has it.
#include "block_run.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include "block_run_impl.h"

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

struct Avx2 {
    using Reg = __m256i;
    static constexpr std::size_t kWidth = 32;
    static constexpr bool kCompacts = true;
    static constexpr unsigned long long kAllBits = 0xFFFFFFFFull;
    // Writes the bytes of `r` whose bits are set in `keep`, packed, to `out`;
    // may write up to 32 bytes there. Returns how many count.
    static std::size_t compact(Reg r, unsigned long long keep, char* out) {
        alignas(32) unsigned char block[32];
        _mm256_store_si256(reinterpret_cast<Reg*>(block), r);
        std::size_t written = 0;
        for (int group = 0; group < 4; ++group) {
            const unsigned mask = static_cast<unsigned>(keep >> (8 * group)) & 0xFF;
            const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(block + 8 * group));
            const __m128i shuffle = _mm_cvtsi64_si128(static_cast<long long>(kPackShuffles.forMask[mask]));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + written), _mm_shuffle_epi8(bytes, shuffle));
            written += static_cast<std::size_t>(__builtin_popcount(mask));
        }
        return written;
    }
    static Reg load(const unsigned char* p) { return _mm256_loadu_si256(reinterpret_cast<const Reg*>(p)); }
    static void store(char* p, Reg r) { _mm256_storeu_si256(reinterpret_cast<Reg*>(p), r); }
    static Reg splat(char c) { return _mm256_set1_epi8(c); }
    static Reg equal(Reg a, Reg b) { return _mm256_cmpeq_epi8(a, b); }
    static Reg lessThan(Reg a, Reg b) { return _mm256_cmpgt_epi8(b, a); }
    static Reg greaterThan(Reg a, Reg b) { return _mm256_cmpgt_epi8(a, b); }
    static Reg orr(Reg a, Reg b) { return _mm256_or_si256(a, b); }
    static Reg andd(Reg a, Reg b) { return _mm256_and_si256(a, b); }
    static Reg andNot(Reg a, Reg b) { return _mm256_andnot_si256(a, b); }  // b and not a
    static Reg add(Reg a, Reg b) { return _mm256_add_epi8(a, b); }
    static Reg select(Reg mask, Reg yes, Reg no) { return _mm256_blendv_epi8(no, yes, mask); }
    static unsigned long long bits(Reg r) { return static_cast<unsigned>(_mm256_movemask_epi8(r)); }
};

}  // namespace

BlockRun avx2BlockRun(bool fold) { return blockRunOf<Avx2>(fold); }

}  // namespace tyx12::detail

#endif
