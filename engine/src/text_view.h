// A searched text: bytes plus their length, with a NUL at data[length] so that
// the end of the text reads as a boundary like any other.
#pragma once

#include <cstddef>

namespace tyx12::detail {

struct TextView {
    const char* data = nullptr;
    std::size_t length = 0;

    unsigned char at(std::size_t i) const { return static_cast<unsigned char>(data[i]); }
};

}  // namespace tyx12::detail
