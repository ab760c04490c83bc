#include "substring_search.h"

#include <cstring>

#include "cpu_features.h"

namespace tyx12::detail {

const char* findSubstring(const char* haystack, std::size_t haystackLength, const char* needle,
                          std::size_t needleLength) {
    if (needleLength == 1)
        return static_cast<const char*>(std::memchr(haystack, needle[0], haystackLength));
#if defined(__x86_64__) || defined(__i386__)
    if (needleLength >= 2 && hasAvx2())
        return findSubstringAvx2(haystack, haystackLength, needle, needleLength);
#endif
    return static_cast<const char*>(memmem(haystack, haystackLength, needle, needleLength));
}

}  // namespace tyx12::detail
