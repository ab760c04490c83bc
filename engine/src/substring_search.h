// The plain substring search under every word find.
#pragma once

#include <cstddef>

#include "text_view.h"

namespace tyx12::detail {

// The first occurrence of the needle in the haystack, or null; like memmem
// over characters.
const Char* findSubstring(const Char* haystack, std::size_t haystackLength, const Char* needle,
                          std::size_t needleLength);

// The same without the vector path, which the tests hold it against.
const Char* findSubstringPlain(const Char* haystack, std::size_t haystackLength, const Char* needle,
                               std::size_t needleLength);

#if defined(__x86_64__) || defined(__i386__)
const Char* findSubstringAvx2(const Char* haystack, std::size_t haystackLength, const Char* needle,
                              std::size_t needleLength);
#endif

}  // namespace tyx12::detail
