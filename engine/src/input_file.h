// A file opened for reading, read in chunks and closed when it goes out of scope.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tyx12::detail {

class InputFile {
public:
    explicit InputFile(const char* path);
    // A file the caller opened and keeps: read from where it stands, never closed here.
    struct Borrowed {
        int fd;
    };
    explicit InputFile(Borrowed file) : fd_(file.fd), owned_(false) {}
    // Bytes the caller holds: the start of a file it has begun to read (the
    // descriptor stands just after them, and stays the caller's), or with
    // `fd` -1 the whole input, such as a document's text.
    struct Held {
        const unsigned char* bytes;
        std::size_t length;
        int fd;
    };
    explicit InputFile(Held held)
        : fd_(held.fd), owned_(false), held_(held.bytes), heldLength_(held.bytes ? held.length : 0) {}
    // Text the caller makes as it is asked for (a document's, page by page):
    // `more` lengthens it and tells where all of it now stands and how long
    // it is; the same length means it has ended.
    struct Growing {
        std::uint64_t (*more)(void* context, const char** text);
        void* context;
    };
    explicit InputFile(Growing growing) : owned_(false), growing_(growing) {}
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return fd_ >= 0 || held_ || growing_.more; }
    // -1 when the input is held bytes alone.
    int descriptor() const { return fd_; }
    // The input is all in the held bytes, and they stay where they are.
    bool heldWhole() const { return held_ && fd_ < 0 && !growing_.more; }
    bool growing() const { return growing_.more != nullptr; }
    const unsigned char* heldBytes() const { return held_; }
    std::size_t heldLength() const { return heldLength_; }

    // Reads up to `capacity` bytes, fewer only at the end of the file or on a
    // read error, which ends the input and is kept in threadReadError. Text
    // that grows comes as soon as some is made, and ends at a read of nothing.
    std::size_t read(unsigned char* buffer, std::size_t capacity);

    // To this byte; false where the file cannot go back (a pipe).
    bool seek(std::uint64_t offset);

private:
    int fd_ = -1;
    bool owned_ = true;
    const unsigned char* held_ = nullptr;
    std::size_t heldLength_ = 0;
    std::size_t heldAt_ = 0;
    Growing growing_{};

    bool grow();
};

}  // namespace tyx12::detail
