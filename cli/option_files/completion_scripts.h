// The completions of bash, zsh and fish for tessaly, made from the option table.
#pragma once

#include <string>

namespace tessaly::cli {

std::string bashCompletion();
std::string zshCompletion();
std::string fishCompletion();

}  // namespace tessaly::cli
