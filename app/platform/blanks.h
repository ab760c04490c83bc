// Search words and the option texts are trimmed of blanks: spaces only, a tab
// stays part of the text.
#pragma once

#include <string_view>

namespace tessaly {

std::string_view trimBlanks(std::string_view text);

}  // namespace tessaly
