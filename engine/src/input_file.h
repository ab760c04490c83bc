// A file opened for reading, read in chunks and closed when it goes out of scope.
#pragma once

#include <cstddef>

namespace tyx12::detail {

class InputFile {
public:
    explicit InputFile(const char* path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Reads up to `capacity` bytes, fewer only at the end of the file or on a
    // read error (which ends the input like the end of the file would).
    std::size_t read(unsigned char* buffer, std::size_t capacity);

private:
    int fd_ = -1;
};

// Feeds at most `limit` bytes of the file to `consume` chunk by chunk, until
// the file ends or `consume` returns false.
template <typename Consume>
void readInChunks(InputFile& file, long long limit, unsigned char* chunk, std::size_t chunkSize,
                  Consume&& consume) {
    while (limit > 0) {
        const std::size_t want =
            limit < static_cast<long long>(chunkSize) ? static_cast<std::size_t>(limit) : chunkSize;
        const std::size_t got = file.read(chunk, want);
        if (got == 0) return;
        limit -= static_cast<long long>(got);
        if (!consume(chunk, got)) return;
        if (got < want) return;
    }
}

}  // namespace tyx12::detail
