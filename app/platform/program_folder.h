// The folder the running program was started from, where it looks first for
// the parts it was built with (the engine, the document reader).
#pragma once

#include <string>

namespace tessaly {

// With its closing "/"; empty when the system does not say.
std::string programFolder();

}  // namespace tessaly
