// The libraries we read documents with open files by name. Giving them the
// descriptor's own entry in /proc makes them open a fresh description of the
// same file, even a deleted or in-memory one, so they never share (or move)
// the caller's file position, and two threads never share one.
#pragma once

#include <string>

namespace tessaly {

inline std::string pathOfDescriptor(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

}  // namespace tessaly
