#include "viewer_text.h"

#include <cstring>
#include <memory>
#include <new>

#include "input_file.h"
#include "rtf_texts.h"

namespace tyx12::detail {

namespace {

constexpr long long kExtraCapacity = 51200;
constexpr std::size_t kViewChunk = 64 * 1024;

class ViewerWriter {
public:
    ViewerWriter(char* out, long long fileSize)
        : out_(out),
          capacity_(fileSize + kExtraCapacity),
          textLimit_(fileSize + kExtraCapacity - 2),
          paragraphLimit_(fileSize + kExtraCapacity - 1 - static_cast<long long>(kViewParagraph.size())) {}

    bool full() const { return pos_ >= capacity_; }

    // Returns false once the output is full.
    bool feed(const unsigned char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count && !full(); ++i) put(bytes[i]);
        return !full();
    }

    void finish() {
        if (pos_ >= capacity_) pos_ = capacity_ - 1;
        out_[pos_] = '\0';
    }

private:
    void put(unsigned char b) {
        const bool afterCarriageReturn = lastByte_ == 0x0D;
        lastByte_ = b;
        if (b == 0x0A && !afterCarriageReturn) {
            lineFeed();
            return;
        }
        if (b >= 0x20 && b <= 0x7E) {
            if (isRtfSpecial(static_cast<char>(b))) {
                // The escape goes in whole or not at all: a lone backslash at the
                // end would swallow the brace that closes the viewer's document.
                if (pos_ + 2 <= textLimit_) {
                    out_[pos_++] = '\\';
                    out_[pos_++] = static_cast<char>(b);
                }
            } else if (pos_ < textLimit_) {
                out_[pos_++] = static_cast<char>(b);
            }
        } else if (b == 0x0D || b == 0x09) {
            if (pos_ < paragraphLimit_) {
                std::memcpy(out_ + pos_, kViewParagraph.data(), kViewParagraph.size());
                pos_ += static_cast<long long>(kViewParagraph.size());
            }
        } else if (b == 0x92) {
            out_[pos_++] = static_cast<char>(b);
        } else if (b != 0x00) {
            // Written even past the text limit: a position that is skipped over
            // must not keep whatever the caller's buffer held there.
            out_[pos_] = ' ';
            if (pos_ != runMark_) {
                runMark_ = ++pos_;
                runIsSpace_ = true;
            }
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
    unsigned char lastByte_ = 0;
};

}  // namespace

bool buildViewerText(const char* fileName, std::int32_t fileSize, char* viewBuffer) {
    if (fileSize < 0 || !viewBuffer) return false;
    InputFile file(fileName);
    if (!file.isOpen()) return false;
    std::unique_ptr<unsigned char[]> chunk(new (std::nothrow) unsigned char[kViewChunk]);
    if (!chunk) return false;

    ViewerWriter writer(viewBuffer, fileSize);
    readInChunks(file, fileSize, chunk.get(), kViewChunk,
                 [&](const unsigned char* bytes, std::size_t count) { return writer.feed(bytes, count); });
    writer.finish();
    return true;
}

}  // namespace tyx12::detail
