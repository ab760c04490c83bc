// What the document reader may do, narrowed before it reads anything: the
// documents it is handed may have been made to attack the libraries that
// read them.
#pragma once

#include <sys/types.h>

#include <cstdint>

namespace tessaly {

// Limits the reader's address space to `memoryBytes` (0: no limit), ends it
// with the thread that started it (`parent` is that thread's process), and
// takes away what a reader of text has no use for: opening files to write,
// making or connecting sockets, starting programs. Returns false when the
// system would not take the filter; the limits hold all the same.
bool confineReader(std::uint64_t memoryBytes, pid_t parent);

// Allows the document about to be read this much more processor time; past
// it the system ends the reader.
void limitProcessorTime(std::uint32_t seconds);

}  // namespace tessaly
