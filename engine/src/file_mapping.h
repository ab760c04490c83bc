// A regular file mapped into memory whole, read-only, for reading it without
// copying it through a buffer.
//
// A mapped file that another program shortens while it is read would stop the
// whole process with SIGBUS at the first page past its new end. The mapping
// guards against that: a fault inside the calling thread's mapping swaps the
// rest of the mapping for zero bytes, which the search skips like any NUL, so
// the file reads as if it had ended where it was cut. A fault on a page the
// file still reaches is a read error and is kept as one (threadReadError).
// Faults anywhere else go on to whatever handled SIGBUS before.
#pragma once

#include <cstddef>

namespace tyx12::detail {

class FileMapping {
public:
    FileMapping() = default;
    ~FileMapping();
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    // Maps `size` bytes of the open file `fd` from its start. False when the
    // system will not: the caller reads the file instead. A thread holds one
    // mapping at a time.
    bool map(int fd, std::size_t size);

    const unsigned char* bytes() const { return bytes_; }
    std::size_t size() const { return size_; }

private:
    const unsigned char* bytes_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace tyx12::detail
