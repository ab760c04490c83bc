// How the file filters fold the texts they compare: names keep their case on
// disk, but extensions and start letters are compared without it.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// Lower-cases ASCII letters and the Latin-1 capitals (À to Þ, not ×) written
// in UTF-8, the letters the old single-byte code page folded. Every other byte,
// valid UTF-8 or not, is kept, and the length never changes, so a prefix of
// the folded text is the folding of a prefix.
std::string lowerCased(std::string_view text);

}  // namespace tessaly
