#include "raw_source.h"

#include <cstring>

namespace tyx12::detail {

RawSource::RawSource(InputFile& file, unsigned char* buffer, std::size_t capacity)
    : file_(file), buffer_(buffer), capacity_(capacity) {
    fill();
    inMemory_ = exhausted_;
}

void RawSource::fill() {
    if (begin_ > 0) {
        std::memmove(buffer_, buffer_ + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const std::size_t room = capacity_ - end_;
    const std::size_t got = file_.read(buffer_ + end_, room);
    end_ += got;
    // The read stops short only at the end of the file (or on an error, which
    // ends the input the same way).
    if (got < room) exhausted_ = true;
}

RawPiece RawSource::peek(std::size_t wanted) {
    if (end_ - begin_ < wanted && !exhausted_) fill();
    return {buffer_ + begin_, end_ - begin_, exhausted_};
}

bool RawSource::startAt(std::uint64_t offset) {
    if (inMemory_) {
        if (offset > end_) return false;
        begin_ = static_cast<std::size_t>(offset);
        return true;
    }
    begin_ = end_ = 0;
    exhausted_ = false;
    if (!file_.seek(offset)) {
        exhausted_ = true;
        return false;
    }
    fill();
    return true;
}

}  // namespace tyx12::detail
