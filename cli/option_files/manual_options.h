// The manual page's option list in roff, one section a group of the table.
#pragma once

#include <string>

namespace tessaly::cli {

std::string manualOptionSections();

}  // namespace tessaly::cli
