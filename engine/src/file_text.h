// The normalised text of one file (and its folded twin), read piece by piece
// as the search asks for it. The part held stays within a bounded buffer: when
// it is full, the characters the search no longer needs make room.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "normaliser.h"
#include "raw_source.h"
#include "text_decoder.h"
#include "text_view.h"
#include "text_words.h"

namespace tyx12::detail {

// Leaves what it makes room for unwritten: a thread's first search would
// otherwise clear megabytes it may never use, a page fault for every 4 KB.
template <class T>
struct UnclearedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnclearedAllocator<U>;
    };
    UnclearedAllocator() = default;
    template <class U>
    UnclearedAllocator(const UnclearedAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* at) noexcept {
        ::new (static_cast<void*>(at)) U;
    }
    template <class U, class... Arguments>
    void construct(U* at, Arguments&&... arguments) {
        ::new (static_cast<void*>(at)) U(std::forward<Arguments>(arguments)...);
    }
};

using CharBuffer = std::vector<Char, UnclearedAllocator<Char>>;

struct TextBuffers {
    CharBuffer normalised;
    CharBuffer folded;
};

// How much is decoded at a time, and how many characters are held before
// some make room. The defaults suit the search; tests shrink them to make
// every file a long one.
struct TextSizes {
    // The largest piece; the first ones are smaller still, so that a search
    // which finds its answer near the start of a file reads little more.
    std::size_t pieceBytes = 32 * 1024;
    std::size_t capacity = std::size_t{1} << 20;
};

class FileText {
public:
    // Starts at the source's current byte, which must be the file's first.
    FileText(RawSource& source, bool fold, TextBuffers& buffers, TextSizes sizes = {});
    // Starts at the source's current byte, which begins a character of a text
    // in this encoding. The text is the file's from that character on, except
    // that a run of blanks there gives nothing.
    FileText(RawSource& source, TextEncoding encoding, bool fold, TextBuffers& buffers, TextSizes sizes = {});

    // The part read so far, counted from the first character still held.
    TextView shown() const { return {buffers_.normalised.data(), length_}; }
    TextView searched() const { return {fold_ ? buffers_.folded.data() : buffers_.normalised.data(), length_}; }
    std::size_t length() const { return length_; }
    // The part held runs to the end of the text.
    bool reachesEnd() const { return reachesEnd_; }
    // Characters dropped from the front so far.
    std::size_t dropped() const { return dropped_; }

    // Reads the next piece. When the buffer is full, the characters before
    // `keepFrom` make room first: positions held by the caller then move back
    // by what this returns. Nothing is read once the end is reached.
    std::size_t readMore(std::size_t keepFrom);

    // From now on, every character read goes to `words` as well.
    void gatherWords(TextWords* words) { words_ = words; }
    // Reads on to the end, keeping nothing: for the words alone.
    void readToEnd() {
        while (!reachesEnd_) readMore(length_);
    }

private:
    void makeRoom(std::size_t keepFrom);

    RawSource& source_;
    TextBuffers& buffers_;
    TextSizes sizes_;
    bool fold_;
    TextDecoder decoder_;
    Normaliser normaliser_;
    std::size_t length_ = 0;
    std::size_t dropped_ = 0;
    std::size_t droppedNow_ = 0;
    unsigned piecesRead_ = 0;
    bool reachesEnd_ = false;
    TextWords* words_ = nullptr;
};

// Moves a position held in a FileText back by what readMore dropped; one that
// fell off the front stands at the first character held.
inline void moveBack(std::size_t& position, std::size_t dropped) {
    position = position >= dropped ? position - dropped : 0;
}

}  // namespace tyx12::detail
