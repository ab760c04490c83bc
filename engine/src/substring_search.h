// The plain substring search under every word find.
#pragma once

#include <cstddef>

namespace tyx12::detail {

// The first occurrence of the needle in the haystack, or null; like memmem.
const char* findSubstring(const char* haystack, std::size_t haystackLength, const char* needle,
                          std::size_t needleLength);

#if defined(__x86_64__) || defined(__i386__)
const char* findSubstringAvx2(const char* haystack, std::size_t haystackLength, const char* needle,
                              std::size_t needleLength);
#endif

}  // namespace tyx12::detail
