// A file's version as its status tells it, and the clock its times are kept
// by: what the racy-timestamp rule compares.
#pragma once

#include <sys/stat.h>

#include <cstdint>

#include "index/indexed_file.h"

namespace tessaly {

FileVersion fileVersionOf(const struct stat& status);

// Now, by CLOCK_REALTIME, in nanoseconds: the clock of file times.
std::int64_t wallClockNanoseconds();

}  // namespace tessaly
