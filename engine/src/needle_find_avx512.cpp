// Compiled with AVX-512 (BW) enabled; only called where the processor has it.
#include <cstddef>
#include <string>

#if defined(__x86_64__)

#include <immintrin.h>

#include "needle_find_impl.h"

namespace tyx12::detail {

namespace {

struct Avx512 {
    using Reg = __m512i;
    static constexpr std::size_t kWidth = 64;
    static Reg load(const unsigned char* p) { return _mm512_loadu_si512(p); }
    static Reg splat(char c) { return _mm512_set1_epi8(c); }
    static Reg orr(Reg a, Reg b) { return _mm512_or_si512(a, b); }
    static unsigned long long equalBits(Reg a, Reg b) { return _mm512_cmpeq_epi8_mask(a, b); }
};

}  // namespace

std::size_t findNeedleAvx512(const unsigned char* bytes, std::size_t count, const std::string& needle,
                             const std::string& masks, std::size_t probe1, std::size_t probe2) {
    bool nulMet;
    return findNeedleIn<Avx512, false>(bytes, count, needle, masks, probe1, probe2, nulMet);
}

std::size_t findNeedleBeforeNulAvx512(const unsigned char* bytes, std::size_t count, const std::string& needle,
                                      const std::string& masks, std::size_t probe1, std::size_t probe2,
                                      bool& nulMet) {
    return findNeedleIn<Avx512, true>(bytes, count, needle, masks, probe1, probe2, nulMet);
}

}  // namespace tyx12::detail

#endif
