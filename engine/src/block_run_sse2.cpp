#include "block_run.h"

#if defined(__x86_64__) || defined(__i386__)

#include <emmintrin.h>

#include "block_run_impl.h"
#include "cpu_features.h"

namespace tyx12::detail {

namespace {

struct Sse2 {
    using Reg = __m128i;
    static constexpr std::size_t kWidth = 16;
    static constexpr unsigned long long kAllBits = 0xFFFF;
    static Reg load(const unsigned char* p) { return _mm_loadu_si128(reinterpret_cast<const Reg*>(p)); }
    // Each byte becomes one 32-bit character.
    static void storeWide(Char* p, Reg r) {
        const Reg zero = _mm_setzero_si128();
        const Reg low = _mm_unpacklo_epi8(r, zero), high = _mm_unpackhi_epi8(r, zero);
        Reg* out = reinterpret_cast<Reg*>(p);
        _mm_storeu_si128(out, _mm_unpacklo_epi16(low, zero));
        _mm_storeu_si128(out + 1, _mm_unpackhi_epi16(low, zero));
        _mm_storeu_si128(out + 2, _mm_unpacklo_epi16(high, zero));
        _mm_storeu_si128(out + 3, _mm_unpackhi_epi16(high, zero));
    }
    static void storeBytes(unsigned char* p, Reg r) { _mm_store_si128(reinterpret_cast<Reg*>(p), r); }
    static Reg splat(char c) { return _mm_set1_epi8(c); }
    static Reg equal(Reg a, Reg b) { return _mm_cmpeq_epi8(a, b); }
    static Reg lessThan(Reg a, Reg b) { return _mm_cmplt_epi8(a, b); }
    static Reg greaterThan(Reg a, Reg b) { return _mm_cmpgt_epi8(a, b); }
    static Reg orr(Reg a, Reg b) { return _mm_or_si128(a, b); }
    static Reg andd(Reg a, Reg b) { return _mm_and_si128(a, b); }
    static Reg andNot(Reg a, Reg b) { return _mm_andnot_si128(a, b); }  // b and not a
    static Reg add(Reg a, Reg b) { return _mm_add_epi8(a, b); }
    static Reg select(Reg mask, Reg yes, Reg no) { return orr(andd(mask, yes), andNot(mask, no)); }
    static unsigned long long bits(Reg r) { return static_cast<unsigned>(_mm_movemask_epi8(r)); }
};

}  // namespace

BlockRun sse2BlockRun(bool fold) { return blockRunOf<Sse2>(fold); }

BlockRun blockRunFor(bool fold) { return hasAvx2() ? avx2BlockRun(fold) : sse2BlockRun(fold); }

}  // namespace tyx12::detail

#else

namespace tyx12::detail {
BlockRun blockRunFor(bool) { return nullptr; }
}  // namespace tyx12::detail

#endif
