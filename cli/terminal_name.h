// A name as a terminal may show it: a control character (an escape sequence
// in a file name would recolour the screen, a line end would split the line)
// written as \xHH, as ls shows such names; the C1 controls too, as a stray
// byte (\xHH) or as the character U+0080 to U+009F (\u{HH}).
#pragma once

#include <string>
#include <string_view>

namespace tessaly::cli {

std::string terminalName(std::string_view name);

}  // namespace tessaly::cli
