#include "substring_search.h"

#include <cstring>
#include <cwchar>

#include "cpu_features.h"

namespace tyx12::detail {

static_assert(sizeof(wchar_t) == sizeof(Char), "wmemchr serves as a search over characters");

const Char* findSubstringPlain(const Char* haystack, std::size_t haystackLength, const Char* needle,
                               std::size_t needleLength) {
    if (needleLength == 0) return haystack;
    const auto* at = reinterpret_cast<const wchar_t*>(haystack);
    const auto* end = at + haystackLength;
    const auto first = static_cast<wchar_t>(needle[0]);
    while (static_cast<std::size_t>(end - at) >= needleLength) {
        at = std::wmemchr(at, first, static_cast<std::size_t>(end - at) - needleLength + 1);
        if (!at) return nullptr;
        if (std::memcmp(at + 1, needle + 1, (needleLength - 1) * sizeof(Char)) == 0)
            return reinterpret_cast<const Char*>(at);
        ++at;
    }
    return nullptr;
}

const Char* findSubstring(const Char* haystack, std::size_t haystackLength, const Char* needle,
                          std::size_t needleLength) {
#if defined(__x86_64__) || defined(__i386__)
    if (needleLength >= 2 && hasAvx2())
        return findSubstringAvx2(haystack, haystackLength, needle, needleLength);
#endif
    return findSubstringPlain(haystack, haystackLength, needle, needleLength);
}

}  // namespace tyx12::detail
