// What tessaly --help prints, made from the option table.
#pragma once

#include <string>

namespace tessaly::cli {

std::string usageText();

}  // namespace tessaly::cli
