// What the desktop does for the program: open a file in its own application,
// and the beep that answers a click that cannot be obeyed.
#pragma once

#include <string>

#include "platform/error_codes.h"

namespace tessaly {

class Desktop {
public:
    virtual ~Desktop() = default;

    // Hands the file (a path in the file system's own bytes) to the
    // application the desktop associates with it. The failure is returned,
    // never shown: the caller decides whether it is worth a word.
    virtual Failure openFile(const std::string& path) = 0;
    virtual void beep() = 0;
};

}  // namespace tessaly
