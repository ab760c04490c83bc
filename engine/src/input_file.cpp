#include "input_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tyx12::detail {

InputFile::InputFile(const char* path) {
    if (!path) return;
    // Non-blocking so that a FIFO handed over by mistake cannot hang the caller;
    // it reads as empty instead.
    do {
        fd_ = ::open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd_ < 0 && errno == EINTR);
}

InputFile::~InputFile() {
    if (fd_ >= 0 && owned_) ::close(fd_);
}

std::size_t InputFile::read(unsigned char* buffer, std::size_t capacity) {
    std::size_t total = std::min(capacity, heldLength_ - heldAt_);
    if (total > 0) std::memcpy(buffer, held_ + heldAt_, total);
    heldAt_ += total;
    if (fd_ < 0) return total;
    while (total < capacity) {
        const std::size_t asked = capacity - total;
        const ssize_t got = ::read(fd_, buffer + total, asked);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
        // A file reads short only at its end: asking again would cost a
        // second call per file just to hear that.
        if (static_cast<std::size_t>(got) < asked) break;
    }
    return total;
}

bool InputFile::seek(std::uint64_t offset) {
    if (offset < heldLength_) {
        heldAt_ = static_cast<std::size_t>(offset);
        offset = heldLength_;
    } else {
        heldAt_ = heldLength_;
    }
    if (fd_ < 0) return offset == heldLength_;
    return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

}  // namespace tyx12::detail
