// A viewer body of many megabytes goes into the viewer in pieces, so that the
// window can breathe and Stop can be pressed between them. Each piece is
// inserted as a document of its own, so it may only end where the body is at
// its outermost level: not inside a group, not inside an escape.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessaly {

// The first place at or after `wanted` where `body` may be cut, counted from
// its start; body.size() when there is none before its end. The body starts
// at its outermost level.
std::size_t bodySplitPoint(std::string_view body, std::size_t wanted);

}  // namespace tessaly
