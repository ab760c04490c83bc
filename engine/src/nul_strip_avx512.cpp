// Compiled with AVX-512 (VBMI2) enabled; only called where the processor has it.
#include <cstddef>

#if defined(__x86_64__)

#include <immintrin.h>

namespace tyx12::detail {

// The bytes without their NULs, 64 at a time: one compress instruction packs
// a block whatever its NULs. `out` may take 64 bytes past what is returned.
std::size_t copyWithoutNulsAvx512(const unsigned char* in, std::size_t count, unsigned char* out) {
    std::size_t written = 0, i = 0;
    for (; i + 64 <= count; i += 64) {
        const __m512i block = _mm512_loadu_si512(in + i);
        const __mmask64 kept = _mm512_test_epi8_mask(block, block);
        _mm512_storeu_si512(out + written, _mm512_maskz_compress_epi8(kept, block));
        written += static_cast<std::size_t>(__builtin_popcountll(kept));
    }
    for (; i < count; ++i)
        if (in[i]) out[written++] = in[i];
    return written;
}

}  // namespace tyx12::detail

#endif
