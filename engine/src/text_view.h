// A searched text: characters plus their length, with a NUL at data[length]
// so that the end of the text reads as a boundary like any other. One element
// is one character, whatever the file's encoding took to write it.
#pragma once

#include <cstddef>

namespace tyx12::detail {

using Char = char32_t;

struct TextView {
    const Char* data = nullptr;
    std::size_t length = 0;

    Char at(std::size_t i) const { return data[i]; }
};

}  // namespace tyx12::detail
