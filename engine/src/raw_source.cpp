#include "raw_source.h"

#include <algorithm>
#include <cstring>

namespace tyx12::detail {

namespace {
// The first read is small: most searches have their answer early in a file,
// and bytes never looked at are not worth copying out of the system.
constexpr std::size_t kFirstRead = 64 * 1024;
}  // namespace

RawSource::RawSource(InputFile& file, unsigned char* buffer, std::size_t capacity)
    : file_(file), buffer_(buffer), capacity_(capacity) {}

void RawSource::fill() {
    std::size_t want;
    if (holdsFileStart_ && end_ < capacity_) {
        // The file from its first byte, grown a read at a time while it fits.
        want = std::min(capacity_ - end_, std::max(kFirstRead, end_));
    } else {
        holdsFileStart_ = false;
        std::memmove(buffer_, buffer_ + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        want = capacity_ - end_;
    }
    const std::size_t got = file_.read(buffer_ + end_, want);
    end_ += got;
    // The read stops short only at the end of the file (or on an error, which
    // ends the input the same way).
    if (got < want) exhausted_ = true;
}

RawPiece RawSource::peek(std::size_t wanted) {
    wanted = std::min(wanted, capacity_);
    while (end_ - begin_ < wanted && !exhausted_) fill();
    return {buffer_ + begin_, end_ - begin_, exhausted_};
}

bool RawSource::startAt(std::uint64_t offset) {
    if (holdsFileStart_ && offset <= end_) {
        begin_ = static_cast<std::size_t>(offset);
        return true;
    }
    begin_ = end_ = 0;
    exhausted_ = false;
    holdsFileStart_ = offset == 0;
    if (!file_.seek(offset)) {
        exhausted_ = true;
        return false;
    }
    return true;
}

}  // namespace tyx12::detail
