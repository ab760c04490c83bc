// A buffer as large as a whole file's worth of text that costs memory only
// for the pages written into it, and gives back the pages at its front once
// they have been read: the viewer's body and text, each hundreds of
// megabytes for a large file, never both in memory whole at once.
#pragma once

#include <cstddef>

namespace tessaly {

class PageBuffer {
public:
    PageBuffer() = default;
    // Throws std::bad_alloc when the address space cannot be had.
    explicit PageBuffer(std::size_t size);
    ~PageBuffer();
    PageBuffer(PageBuffer&& other) noexcept;
    PageBuffer& operator=(PageBuffer&& other) noexcept;
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;

    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

    // The first `length` bytes will not be read again: the whole pages among
    // them go back to the system (they would read as zeros).
    void releaseFront(std::size_t length);

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t released_ = 0;
};

}  // namespace tessaly
