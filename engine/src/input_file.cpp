#include "input_file.h"

#include "read_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tyx12::detail {

thread_local __attribute__((tls_model("initial-exec"))) int threadReadError = 0;

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

bool InputFile::grow() {
    if (!growing_.more) return false;
    const char* text = nullptr;
    const std::uint64_t length = growing_.more(growing_.context, &text);
    if (length <= heldLength_ || !text) {
        growing_.more = nullptr;  // ended: not asked again
        return false;
    }
    held_ = reinterpret_cast<const unsigned char*>(text);
    heldLength_ = static_cast<std::size_t>(length);
    return true;
}

std::size_t InputFile::read(unsigned char* buffer, std::size_t capacity) {
    std::size_t total = 0;
    do {
        const std::size_t part = std::min(capacity - total, heldLength_ - heldAt_);
        if (part > 0) std::memcpy(buffer + total, held_ + heldAt_, part);
        heldAt_ += part;
        total += part;
        // Text made as it is asked for goes to the search as soon as there
        // is any: a word on a document's first page is found before the
        // second is made.
    } while (total == 0 && grow());
    if (fd_ < 0) return total;
    while (total < capacity) {
        const std::size_t asked = capacity - total;
        const ssize_t got = ::read(fd_, buffer + total, asked);
        if (got < 0 && errno == EINTR) continue;
        // A pipe with nothing in it yet (opened non-blocking) has ended for us.
        if (got < 0 && errno != EAGAIN) threadReadError = errno;
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
        // Only a read of nothing is the end: network and FUSE file systems,
        // and files in /proc, answer a read with less than they hold.
    }
    return total;
}

bool InputFile::seek(std::uint64_t offset) {
    while (offset > heldLength_ && grow()) {
    }
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
