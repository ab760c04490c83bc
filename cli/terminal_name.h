// A name as a terminal may show it: a control character (an escape sequence
// in a file name would recolour the screen, a line end would split the line)
// written as \xHH, as ls shows such names.
#pragma once

#include <string>
#include <string_view>

namespace tessaly::cli {

std::string terminalName(std::string_view name);

}  // namespace tessaly::cli
