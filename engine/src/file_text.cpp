#include "file_text.h"

#include <algorithm>
#include <cstring>

namespace tyx12::detail {

namespace {
// Bytes decoded per piece: small enough that a search which finds its answer
// near the start of a file reads little more than that start.
constexpr std::size_t kPieceBytes = 32 * 1024;
// A piece gives at most one character per byte; the normaliser writes one
// character past the text, and the NUL after it.
constexpr std::size_t kPieceRoom = kPieceBytes + 2;
constexpr std::size_t kInitialCapacity = 1 << 20;

TextEncoding readEncodingMark(RawSource& source) {
    const RawPiece start = source.peek(3);
    const EncodingMark mark = encodingMarkOf(start.bytes, start.count);
    source.consume(mark.length);
    return mark.encoding;
}

void ensureSize(std::vector<Char>& buffer, std::size_t size) {
    if (buffer.size() < size) buffer.resize(size);
}

}  // namespace

FileText::FileText(RawSource& source, bool fold, TextBuffers& buffers)
    : source_(source),
      buffers_(buffers),
      fold_(fold),
      decoder_(readEncodingMark(source)),
      normaliser_((ensureSize(buffers.normalised, kInitialCapacity), buffers.normalised.data()),
                  fold ? (ensureSize(buffers.folded, kInitialCapacity), buffers.folded.data()) : nullptr) {
    length_ = normaliser_.finish();
}

void FileText::makeRoom(std::size_t keepFrom) {
    Char* normalised = buffers_.normalised.data();
    Char* folded = fold_ ? buffers_.folded.data() : nullptr;
    if (buffers_.normalised.size() - length_ >= kPieceRoom) return;
    keepFrom = std::min(keepFrom, length_);
    if (keepFrom > 0) {
        std::memmove(normalised, normalised + keepFrom, (length_ - keepFrom) * sizeof(Char));
        if (folded) std::memmove(folded, folded + keepFrom, (length_ - keepFrom) * sizeof(Char));
        length_ -= keepFrom;
        dropped_ += keepFrom;
        droppedNow_ += keepFrom;
    }
    if (buffers_.normalised.size() - length_ < kPieceRoom) {
        // The search still needs all it holds (a very long word or window):
        // the buffer grows rather than losing any of it.
        const std::size_t size = std::max(buffers_.normalised.size() * 2, length_ + kPieceRoom);
        buffers_.normalised.resize(size);
        if (folded) buffers_.folded.resize(size);
    }
    normaliser_.dropFront(keepFrom, buffers_.normalised.data(), fold_ ? buffers_.folded.data() : nullptr);
}

std::size_t FileText::readMore(std::size_t keepFrom) {
    droppedNow_ = 0;
    if (reachesEnd_) return 0;
    makeRoom(keepFrom);
    const RawPiece piece = source_.peek(kPieceBytes);
    const std::size_t take = std::min(piece.count, kPieceBytes);
    const bool atEnd = piece.reachesEnd && take == piece.count;
    std::size_t used;
    if (decoder_.encoding() == TextEncoding::Utf8OrWindows1252) {
        used = normaliser_.feedUtf8OrWindows1252(piece.bytes, take, atEnd);
    } else {
        used = decoder_.decode(piece.bytes, take, atEnd, [this](Char c) { normaliser_.put(c); });
    }
    source_.consume(used);
    reachesEnd_ = atEnd;
    length_ = normaliser_.finish();
    return droppedNow_;
}

}  // namespace tyx12::detail
