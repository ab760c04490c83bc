// Compiled with AVX2 enabled; only called where the processor has it.
#include "block_run.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include "block_run_impl.h"

namespace tyx12::detail {

namespace {

struct Avx2 {
    using Reg = __m256i;
    static constexpr std::size_t kWidth = 32;
    static constexpr unsigned long long kAllBits = 0xFFFFFFFFull;
    static Reg load(const unsigned char* p) { return _mm256_loadu_si256(reinterpret_cast<const Reg*>(p)); }
    // Each byte becomes one 32-bit character, eight at a time.
    static void storeWide(Char* p, Reg r) {
        const __m128i low = _mm256_castsi256_si128(r), high = _mm256_extracti128_si256(r, 1);
        Reg* out = reinterpret_cast<Reg*>(p);
        _mm256_storeu_si256(out, _mm256_cvtepu8_epi32(low));
        _mm256_storeu_si256(out + 1, _mm256_cvtepu8_epi32(_mm_srli_si128(low, 8)));
        _mm256_storeu_si256(out + 2, _mm256_cvtepu8_epi32(high));
        _mm256_storeu_si256(out + 3, _mm256_cvtepu8_epi32(_mm_srli_si128(high, 8)));
    }
    static void storeBytes(unsigned char* p, Reg r) { _mm256_store_si256(reinterpret_cast<Reg*>(p), r); }
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
