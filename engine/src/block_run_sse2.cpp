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
    // Packing needs a byte shuffle, which SSE2 lacks.
    static constexpr bool kCompacts = false;
    static constexpr unsigned long long kAllBits = 0xFFFF;
    static std::size_t compact(Reg, unsigned long long, char*) { return 0; }
    static Reg load(const unsigned char* p) { return _mm_loadu_si128(reinterpret_cast<const Reg*>(p)); }
    static void store(char* p, Reg r) { _mm_storeu_si128(reinterpret_cast<Reg*>(p), r); }
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
