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
// Characters decoded between two looks at the output.
constexpr std::size_t kViewStep = 4096;
// A streamed body is handed on once this much of it is written; one step
// more can add at most 28 bytes a character (a carriage return's paragraph),
// which the staging buffer leaves room for.
constexpr std::size_t kStagingFlush = 64 * 1024;
constexpr long long kStagingCapacity = kStagingFlush + 28 * kViewStep + kExtraCapacity;

// Follows the search's text beside the body, character for character, and
// turns places counted in the search's text into places in the body's
// characters. The two differ only in line feeds: the search counts a run of
// them (with any control bytes in it) as one blank, the body breaks the line
// at each.
class PlaceTranslator {
public:
    PlaceTranslator(const std::vector<TextPlace>& places, TextPlaceSink sink) : places_(places), sink_(sink) {}

    // Every place has gone to the sink, or the sink wants no more.
    bool done() const { return next_ >= places_.size() || refused_; }

    // The character `c` comes next; the body holds `bodyCharacters` so far.
    void before(Char c, std::size_t bodyCharacters) {
        advances_ = advancesSearch(c);
        if (advances_ && !done() && searchPosition_ == places_[next_].start) bodyStart_ = bodyCharacters;
    }
    // ... and now, with it, `bodyCharacters`.
    void after(std::size_t bodyCharacters) {
        if (!advances_) return;
        ++searchPosition_;
        if (done()) return;
        const TextPlace& place = places_[next_];
        if (searchPosition_ != place.start + place.length) return;
        refused_ = !sink_(bodyStart_, bodyCharacters - bodyStart_);
        ++next_;
    }

private:
    // As the normaliser advances: a run of such characters gives one blank,
    // and none at the very start.
    bool advancesSearch(Char c) {
        switch (textRoleOf(c)) {
        case TextRole::Dropped: return false;
        case TextRole::Run:
            if (searchPosition_ == runMark_) return false;
            runMark_ = searchPosition_ + 1;
            return true;
        default: return true;
        }
    }

    const std::vector<TextPlace>& places_;
    TextPlaceSink sink_;
    std::size_t next_ = 0;
    std::size_t searchPosition_ = 0;
    std::size_t runMark_ = 0;
    std::size_t bodyStart_ = 0;
    bool advances_ = false;
    bool refused_ = false;
};

class ViewerWriter {
public:
    ViewerWriter(char* out, long long fileSize)
        : out_(out),
          capacity_(fileSize + kExtraCapacity),
          textLimit_(fileSize + kExtraCapacity - 2),
          paragraphLimit_(fileSize + kExtraCapacity - 1 - static_cast<long long>(kViewParagraph.size())) {}

    // Nothing but blanks fits any more.
    bool full() const { return pos_ >= textLimit_; }

    // How much of what is written is settled: all of it but a run's space,
    // which a line feed may still take back.
    std::size_t settled() const {
        return static_cast<std::size_t>(pos_ == runMark_ && runIsSpace_ ? pos_ - 1 : pos_);
    }
    // The first `count` bytes went to the caller: the rest moves to the front.
    void dropSettled(std::size_t count) {
        const auto dropped = static_cast<long long>(count);
        std::memmove(out_, out_ + dropped, static_cast<std::size_t>(pos_ - dropped));
        pos_ -= dropped;
        // A mark before what was dropped can never be reached again.
        runMark_ = runMark_ >= dropped ? runMark_ - dropped : -1;
        handedOn_ += dropped;
    }
    std::size_t length() const { return static_cast<std::size_t>(pos_); }

    void finish() {
        if (pos_ >= capacity_) pos_ = capacity_ - 1;
        out_[pos_] = '\0';
    }

    void put(Char c) {
        if (!translator_) return write(c);
        translator_->before(c, characters_);
        write(c);
        translator_->after(characters_);
    }

    void translatePlaces(PlaceTranslator* translator) { translator_ = translator; }

private:
    void write(Char c) {
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
                    ++characters_;
                }
            } else if (isRtfSpecial(c)) {
                // The escape goes in whole or not at all: a lone backslash at the
                // end would swallow the brace that closes the viewer's document.
                if (pos_ + 2 <= textLimit_) {
                    out_[pos_++] = '\\';
                    out_[pos_++] = static_cast<char>(c);
                    ++characters_;
                }
            } else if (pos_ < textLimit_) {
                out_[pos_++] = static_cast<char>(c);
                ++characters_;
            }
            break;
        case TextRole::Blank:
            if (pos_ < textLimit_) out_[pos_++] = ' ', ++characters_;
            break;
        case TextRole::LineBreak:
            if (pos_ < paragraphLimit_) {
                std::memcpy(out_ + pos_, kViewParagraph.data(), kViewParagraph.size());
                pos_ += static_cast<long long>(kViewParagraph.size());
                ++characters_;
            }
            break;
        case TextRole::Dropped:
            break;
        case TextRole::Run:
            runChar();
            break;
        }
    }

    void runChar() {
            // Written even past the text limit: a position that is skipped over
            // must not keep whatever the caller's buffer held there.
        out_[pos_] = ' ';
        if (pos_ != runMark_) {
            runMark_ = ++pos_;
            runIsSpace_ = true;
            ++characters_;
        }
    }

    // Text files here end their lines with a line feed alone: each one breaks
    // the line, as a carriage return does. Within a run of other control
    // bytes it takes the place of the run's one space, so that the body
    // still reads, paragraph breaks counted as blanks, as the search's text.
    void lineFeed() {
        if (pos_ + handedOn_ == 0) return;  // nothing before it, as for other leading control bytes
        const bool replacesRunSpace = pos_ == runMark_ && runIsSpace_;
        if (replacesRunSpace) --pos_, --characters_;
        if (pos_ < paragraphLimit_) {
            std::memcpy(out_ + pos_, kViewParagraph.data(), kViewParagraph.size());
            pos_ += static_cast<long long>(kViewParagraph.size());
            runMark_ = pos_;
            runIsSpace_ = false;
            ++characters_;
        } else if (replacesRunSpace) {
            ++pos_, ++characters_;
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
    long long handedOn_ = 0;  // written before out_[0] and handed to the caller
    std::size_t characters_ = 0;  // of the body so far, a paragraph one
    PlaceTranslator* translator_ = nullptr;
};

// Feeds the file's characters to the writer until it is read, the writer is
// full, or `afterStep` says to stop. Returns false when the chunk cannot be had.
template <class AfterStep>
bool writeViewerText(InputFile& file, ViewerWriter& writer, AfterStep afterStep) {
    std::unique_ptr<unsigned char[]> chunk(new (std::nothrow) unsigned char[kViewChunk]);
    if (!chunk) return false;
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
            const std::size_t step = std::min<std::size_t>(piece.count - used, kViewStep);
            const bool atEnd = piece.reachesEnd && used + step == piece.count;
            const std::size_t taken =
                decoder.decode(piece.bytes + used, step, atEnd, [&](Char c) { writer.put(c); });
            used += taken;
            if (!afterStep()) return true;
            if (taken < step) break;  // a character runs on into the next piece
        }
        source.consume(used);
        if (piece.reachesEnd && used == piece.count) break;
    }
    return true;
}

bool buildViewerText(InputFile& file, std::int32_t capacityBase, char* viewBuffer) {
    if (capacityBase < 0 || !viewBuffer || !file.isOpen()) return false;
    ViewerWriter writer(viewBuffer, capacityBase);
    if (!writeViewerText(file, writer, [] { return true; })) return false;
    writer.finish();
    return true;
}

bool streamViewerText(InputFile& file, ViewerPieceSink sink, void* context,
                      PlaceTranslator* translator = nullptr) {
    if (!sink || !file.isOpen()) return false;
    std::unique_ptr<char[]> staging(new (std::nothrow) char[kStagingCapacity]);
    if (!staging) return false;
    ViewerWriter writer(staging.get(), kStagingCapacity - kExtraCapacity);
    writer.translatePlaces(translator);
    bool wanted = true;
    const auto handOn = [&](std::size_t count) {
        wanted = sink(context, staging.get(), count) != 0;
        writer.dropSettled(count);
        return wanted;
    };
    const bool read = writeViewerText(file, writer, [&] {
        return writer.length() < kStagingFlush || handOn(writer.settled());
    });
    if (!read) return false;
    if (wanted && writer.length() > 0) handOn(writer.length());
    return true;
}

}  // namespace

bool translateToViewerPlaces(InputFile& file, const std::vector<TextPlace>& places, TextPlaceSink sink) {
    if (places.empty()) return true;
    PlaceTranslator translator(places, sink);
    // Only the count of the body's characters is wanted, not the body.
    const ViewerPieceSink untilTranslated = [](void* context, const char*, std::uint64_t) -> std::int32_t {
        return !static_cast<PlaceTranslator*>(context)->done();
    };
    return streamViewerText(file, untilTranslated, &translator, &translator);
}

bool buildViewerText(const char* fileName, std::int32_t capacityBase, char* viewBuffer) {
    InputFile file(fileName);
    return buildViewerText(file, capacityBase, viewBuffer);
}

bool buildViewerText(const unsigned char* bytes, std::size_t length, std::int32_t capacityBase, char* viewBuffer) {
    if (!bytes) return false;
    InputFile file(InputFile::Held{bytes, length, -1});
    return buildViewerText(file, capacityBase, viewBuffer);
}


bool streamViewerText(int openFile, ViewerPieceSink sink, void* context) {
    if (openFile < 0) return false;
    InputFile file(InputFile::Borrowed{openFile});
    return streamViewerText(file, sink, context);
}

bool streamViewerText(const unsigned char* bytes, std::size_t length, ViewerPieceSink sink, void* context) {
    if (!bytes) return false;
    InputFile file(InputFile::Held{bytes, length, -1});
    return streamViewerText(file, sink, context);
}

}  // namespace tyx12::detail
