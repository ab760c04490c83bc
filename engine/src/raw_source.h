// A file's bytes from its first one, in pieces, read as they are asked for.
// While the file fits the buffer it is kept there from its first byte and
// served again from memory after a rewind; a longer one streams through the
// buffer and is read again, so that a file of any size costs no more memory
// than the buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "file_mapping.h"
#include "input_file.h"

namespace tyx12::detail {

struct RawPiece {
    const unsigned char* bytes = nullptr;
    std::size_t count = 0;
    bool reachesEnd = false;  // nothing follows these bytes
};

class RawSource {
public:
    // `mayMap`: a large regular file may be read through a mapping of it
    // instead of the buffer.
    RawSource(InputFile& file, unsigned char* buffer, std::size_t capacity, bool mayMap = false);

    // The bytes not consumed yet: at least `wanted` of them unless the file
    // ends first, and perhaps more.
    RawPiece peek(std::size_t wanted);
    void consume(std::size_t count) {
        if (whole_) mappedAt_ += count;
        else begin_ += count;
    }
    bool atEnd() { return peek(1).count == 0; }

    // Back to the first byte. False when a streamed file cannot go back.
    bool rewind() { return startAt(0); }
    // On from this byte of the file. False when the file cannot go there.
    bool startAt(std::uint64_t offset);

private:
    void fill();
    bool mapWholeFile();

    FileMapping mapping_;
    // The whole input in memory, read where it stands: a mapping of the
    // file, or bytes the caller holds that are all of it.
    const unsigned char* whole_ = nullptr;
    std::size_t wholeSize_ = 0;
    std::size_t mappedAt_ = 0;

    InputFile& file_;
    unsigned char* buffer_;
    std::size_t capacity_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;       // the file has been read to its end
    bool holdsFileStart_ = true;   // the buffer holds the file from its first byte
    bool mayMap_;
};

}  // namespace tyx12::detail
