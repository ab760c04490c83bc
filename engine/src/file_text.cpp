#include "file_text.h"

#include <algorithm>
#include <cstring>

namespace tyx12::detail {

namespace {

TextEncoding readEncodingMark(RawSource& source) {
    const RawPiece start = source.peek(3);
    const EncodingMark mark = encodingMarkOf(start.bytes, start.count);
    source.consume(mark.length);
    return mark.encoding;
}

// A piece must be able to hold a whole character, or the text never moves on.
TextSizes withWholeCharacters(TextSizes sizes) {
    sizes.pieceBytes = std::max<std::size_t>(sizes.pieceBytes, 4);
    return sizes;
}

// A piece gives at most one character per byte; the normaliser writes one
// character past the text, and the NUL after it.
std::size_t roomFor(const TextSizes& sizes) { return sizes.pieceBytes + 2; }

// The two buffers always have the same size, as large as an earlier file
// made them, unless that was far larger than needed.
void sized(TextBuffers& buffers, const TextSizes& sizes, bool fold) {
    const std::size_t wanted = std::max(sizes.capacity, 2 * roomFor(sizes));
    std::size_t size = buffers.normalised.size();
    if (size < wanted || size > 4 * wanted) size = wanted;
    for (CharBuffer* buffer : {&buffers.normalised, &buffers.folded}) {
        if (buffer == &buffers.folded && !fold) continue;
        if (buffer->size() != size) {
            buffer->resize(size);
            buffer->shrink_to_fit();
        }
    }
}

}  // namespace

FileText::FileText(RawSource& source, bool fold, TextBuffers& buffers, TextSizes sizes)
    : FileText(source, readEncodingMark(source), fold, buffers, sizes) {}

FileText::FileText(RawSource& source, TextEncoding encoding, bool fold, TextBuffers& buffers, TextSizes sizes)
    : source_(source),
      buffers_(buffers),
      sizes_(withWholeCharacters(sizes)),
      fold_(fold),
      decoder_(encoding),
      normaliser_(nullptr, nullptr, blockRunFor(fold)) {
    sized(buffers, sizes_, fold);
    normaliser_.textMoved(0, buffers.normalised.data(), fold ? buffers.folded.data() : nullptr);
    length_ = normaliser_.finish();
}

void FileText::makeRoom(std::size_t keepFrom) {
    Char* normalised = buffers_.normalised.data();
    Char* folded = fold_ ? buffers_.folded.data() : nullptr;
    const std::size_t room = roomFor(sizes_);
    if (buffers_.normalised.size() - length_ >= room) return;
    keepFrom = std::min(keepFrom, length_);
    if (keepFrom > 0) {
        std::memmove(normalised, normalised + keepFrom, (length_ - keepFrom) * sizeof(Char));
        if (folded) std::memmove(folded, folded + keepFrom, (length_ - keepFrom) * sizeof(Char));
        length_ -= keepFrom;
        dropped_ += keepFrom;
        droppedNow_ += keepFrom;
    }
    if (buffers_.normalised.size() - length_ < room) {
        // The search still needs all it holds (a very long word or window):
        // the buffer grows rather than losing any of it.
        const std::size_t size = std::max(buffers_.normalised.size() * 2, length_ + room);
        buffers_.normalised.resize(size);
        if (folded) buffers_.folded.resize(size);
    }
    normaliser_.textMoved(keepFrom, buffers_.normalised.data(), fold_ ? buffers_.folded.data() : nullptr);
}

std::size_t FileText::readMore(std::size_t keepFrom) {
    droppedNow_ = 0;
    if (reachesEnd_) return 0;
    makeRoom(keepFrom);
    // The first pieces are small: most searches find what they need near the
    // start of a file.
    const std::size_t pieceBytes = std::min(sizes_.pieceBytes, std::max<std::size_t>(4, 1024u << std::min(piecesRead_, 10u)));
    ++piecesRead_;
    const RawPiece piece = source_.peek(pieceBytes);
    const std::size_t take = std::min(piece.count, pieceBytes);
    const bool atEnd = piece.reachesEnd && take == piece.count;
    std::size_t used;
    if (decoder_.encoding() == TextEncoding::Utf8OrWindows1252) {
        used = normaliser_.feedUtf8OrWindows1252(piece.bytes, take, atEnd);
    } else {
        used = decoder_.decode(piece.bytes, take, atEnd, [this](Char c) { normaliser_.put(c); });
    }
    source_.consume(used);
    reachesEnd_ = atEnd;
    const std::size_t before = length_;
    length_ = normaliser_.finish();
    if (words_) {
        words_->take(searched().data + before, length_ - before);
        if (reachesEnd_) words_->finish();
    }
    return droppedNow_;
}

}  // namespace tyx12::detail
