#include "raw_source.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace tyx12::detail {

namespace {
// The first read is small: most searches have their answer early in a file,
// and bytes never looked at are not worth copying out of the system.
constexpr std::size_t kFirstRead = 64 * 1024;
// Mapping a file costs more than reading it until the file is large: taking
// a mapping down interrupts every other thread of the program, so with two
// searching, files under a megabyte read faster (and a 200 MB one no slower).
constexpr std::size_t kMapFrom = 1024 * 1024;
// A mapped file is handed out in pieces that stay in the processor's cache
// between the look for NULs and the scan.
constexpr std::size_t kMappedPiece = 256 * 1024;
}  // namespace

RawSource::RawSource(InputFile& file, unsigned char* buffer, std::size_t capacity, bool mayMap)
    : file_(file), buffer_(buffer), capacity_(capacity), mayMap_(mayMap) {
    // Held bytes that are the whole input need no copy into the buffer.
    if (file.heldWhole()) {
        whole_ = file.heldBytes();
        wholeSize_ = file.heldLength();
    }
}

bool RawSource::mapWholeFile() {
    mayMap_ = false;
    struct stat info;
    if (::fstat(file_.descriptor(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (info.st_size < static_cast<off_t>(kMapFrom)) return false;
    if (!mapping_.map(file_.descriptor(), static_cast<std::size_t>(info.st_size))) return false;
    whole_ = mapping_.bytes();
    wholeSize_ = mapping_.size();
    mappedAt_ = begin_;
    return true;
}

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
    // ends the input the same way), or when growing text has no more made yet.
    if (got == 0 || (got < want && !file_.growing())) exhausted_ = true;
}

RawPiece RawSource::peek(std::size_t wanted) {
    if (whole_) {
        const std::size_t left = wholeSize_ - mappedAt_;
        const std::size_t count = std::min(left, std::max(wanted, kMappedPiece));
        return {whole_ + mappedAt_, count, count == left};
    }
    wanted = std::min(wanted, capacity_);
    // Of text that grows, what has been made is enough to go on with, down
    // to a whole character: asking for more means making the next page.
    const std::size_t enough = file_.growing() ? std::min<std::size_t>(wanted, 4) : wanted;
    while (end_ - begin_ < enough && !exhausted_) {
        // The first read filled what it asked for: the file may be worth mapping.
        if (mayMap_ && end_ == kFirstRead && holdsFileStart_ && mapWholeFile()) return peek(wanted);
        fill();
    }
    return {buffer_ + begin_, end_ - begin_, exhausted_};
}

bool RawSource::startAt(std::uint64_t offset) {
    if (whole_) {
        if (offset > wholeSize_) return false;
        mappedAt_ = static_cast<std::size_t>(offset);
        return true;
    }
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
