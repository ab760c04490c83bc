#include "cpu_features.h"

namespace tyx12::detail {

bool hasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return available;
#else
    return false;
#endif
}

bool hasAvx512Compress() {
#if defined(__x86_64__)
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("avx512bw");
    }();
    return available;
#else
    return false;
#endif
}

}  // namespace tyx12::detail
