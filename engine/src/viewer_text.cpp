#include "viewer_text.h"

#include <cstring>
#include <memory>
#include <new>

#include "char_class.h"
#include "input_file.h"
#include "raw_source.h"
#include "rtf_texts.h"
#include "text_decoder.h"
#include "tyx12/tyx12.h"

namespace tyx12::detail {

namespace {

constexpr long long kExtraCapacity = TYX12_VIEW_EXTRA_CAPACITY;
constexpr std::size_t kViewChunk = 64 * 1024;

class ViewerWriter {
public:
    ViewerWriter(char* out, long long fileSize)
        : out_(out),
          capacity_(fileSize + kExtraCapacity),
          textLimit_(fileSize + kExtraCapacity - 2),
          paragraphLimit_(fileSize + kExtraCapacity - 1 - static_cast<long long>(kViewParagraph.size())) {}

    // Nothing but blanks fits any more.
    bool full() const { return pos_ >= textLimit_; }

    void finish() {
        if (pos_ >= capacity_) pos_ = capacity_ - 1;
        out_[pos_] = '\0';
    }

    void put(Char c) {
        const bool afterCarriageReturn = lastChar_ == 0x0D;
        lastChar_ = c;
        if (c == 0x0A && !afterCarriageReturn) {
            lineFeed();
            return;
        }
        // The body keeps what the search's text keeps, so that the viewer can
        // find the search's lines in it.
        switch (textRoleOf(c)) {
        case TextRole::Kept:
            if (c >= 0x80) {
                char escape[kLongestUnicodeEscape];
                const auto length = static_cast<long long>(writeUnicodeEscape(c, escape));
                if (pos_ + length <= textLimit_) {
                    std::memcpy(out_ + pos_, escape, static_cast<std::size_t>(length));
                    pos_ += length;
                }
            } else if (isRtfSpecial(c)) {
                // The escape goes in whole or not at all: a lone backslash at the
                // end would swallow the brace that closes the viewer's document.
                if (pos_ + 2 <= textLimit_) {
                    out_[pos_++] = '\\';
                    out_[pos_++] = static_cast<char>(c);
                }
            } else if (pos_ < textLimit_) {
                out_[pos_++] = static_cast<char>(c);
            }
            break;
        case TextRole::LineBreak:
            if (pos_ < paragraphLimit_) {
                std::memcpy(out_ + pos_, kViewParagraph.data(), kViewParagraph.size());
                pos_ += static_cast<long long>(kViewParagraph.size());
            }
            break;
        case TextRole::Dropped:
            break;
        case TextRole::Run:
            runChar();
            break;
        }
    }

private:
    void runChar() {
            // Written even past the text limit: a position that is skipped over
            // must not keep whatever the caller's buffer held there.
        out_[pos_] = ' ';
        if (pos_ != runMark_) {
            runMark_ = ++pos_;
            runIsSpace_ = true;
        }
    }

    // Text files here end their lines with a line feed alone: each one breaks
    // the line, as a carriage return does. Within a run of other control
    // bytes it takes the place of the run's one space, so that the body
    // still reads, paragraph breaks counted as blanks, as the search's text.
    void lineFeed() {
        if (pos_ == 0) return;  // nothing before it, as for other leading control bytes
        const bool replacesRunSpace = pos_ == runMark_ && runIsSpace_;
        if (replacesRunSpace) --pos_;
        if (pos_ < paragraphLimit_) {
            std::memcpy(out_ + pos_, kViewParagraph.data(), kViewParagraph.size());
            pos_ += static_cast<long long>(kViewParagraph.size());
            runMark_ = pos_;
            runIsSpace_ = false;
        } else if (replacesRunSpace) {
            ++pos_;
        }
    }

    char* out_;
    long long capacity_;
    long long textLimit_;
    long long paragraphLimit_;
    long long pos_ = 0;
    long long runMark_ = 0;
    bool runIsSpace_ = false;  // the run mark stands behind a run's space
    Char lastChar_ = 0;
};

bool buildViewerText(InputFile& file, std::int32_t capacityBase, char* viewBuffer) {
    if (capacityBase < 0 || !viewBuffer || !file.isOpen()) return false;
    std::unique_ptr<unsigned char[]> chunk(new (std::nothrow) unsigned char[kViewChunk]);
    if (!chunk) return false;

    ViewerWriter writer(viewBuffer, capacityBase);
    RawSource source(file, chunk.get(), kViewChunk);
    const RawPiece start = source.peek(3);
    const EncodingMark mark = encodingMarkOf(start.bytes, start.count);
    source.consume(mark.length);
    const TextDecoder decoder(mark.encoding);
    // Once the buffer is full nothing more can go in: the rest is not read.
    while (!writer.full()) {
        const RawPiece piece = source.peek(kViewChunk);
        if (piece.count == 0) break;
        std::size_t used = 0;
        while (used < piece.count && !writer.full()) {
            const std::size_t step = std::min<std::size_t>(piece.count - used, 4096);
            const bool atEnd = piece.reachesEnd && used + step == piece.count;
            const std::size_t taken =
                decoder.decode(piece.bytes + used, step, atEnd, [&](Char c) { writer.put(c); });
            used += taken;
            if (taken < step) break;  // a character runs on into the next piece
        }
        source.consume(used);
        if (piece.reachesEnd && used == piece.count) break;
    }
    writer.finish();
    return true;
}

}  // namespace

bool buildViewerText(const char* fileName, std::int32_t capacityBase, char* viewBuffer) {
    InputFile file(fileName);
    return buildViewerText(file, capacityBase, viewBuffer);
}

bool buildViewerText(const unsigned char* bytes, std::size_t length, std::int32_t capacityBase, char* viewBuffer) {
    if (!bytes) return false;
    InputFile file(InputFile::Held{bytes, length, -1});
    return buildViewerText(file, capacityBase, viewBuffer);
}

}  // namespace tyx12::detail
