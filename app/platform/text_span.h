// A stretch of a text: where it starts and how long it is, in the text's own units.
#pragma once

#include <cstddef>

namespace tessaly {

struct TextSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const TextSpan&) const = default;
};

}  // namespace tessaly
