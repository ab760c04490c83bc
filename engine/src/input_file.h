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
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }

    // Reads up to `capacity` bytes, fewer only at the end of the file or on a
    // read error (which ends the input like the end of the file would).
    std::size_t read(unsigned char* buffer, std::size_t capacity);

    // To this byte; false where the file cannot go back (a pipe).
    bool seek(std::uint64_t offset);

private:
    int fd_ = -1;
    bool owned_ = true;
};

}  // namespace tyx12::detail
