#include "platform/page_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <new>
#include <utility>

namespace tessaly {

PageBuffer::PageBuffer(std::size_t size) : size_(size) {
    if (size == 0) return;
    void* mapped = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    data_ = static_cast<char*>(mapped);
}

PageBuffer::~PageBuffer() {
    if (data_) ::munmap(data_, size_);
}

PageBuffer::PageBuffer(PageBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      released_(std::exchange(other.released_, 0)) {}

PageBuffer& PageBuffer::operator=(PageBuffer&& other) noexcept {
    if (this != &other) {
        if (data_) ::munmap(data_, size_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        released_ = std::exchange(other.released_, 0);
    }
    return *this;
}

void PageBuffer::releaseFront(std::size_t length) {
    static const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t end = std::min(length, size_) / page * page;
    if (end <= released_) return;
    // Advice only: if the system declines, the memory is merely kept longer.
    ::madvise(data_ + released_, end - released_, MADV_DONTNEED);
    released_ = end;
}

}  // namespace tessaly
