// The result lines gathered for one file, with a quick answer to "is this line
// already somewhere in it?".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tyx12::detail {

class CollectedText {
public:
    CollectedText();

    void clear();
    const std::string& text() const { return text_; }
    std::size_t size() const { return text_.size(); }

    // Whether `piece` occurs anywhere in the text, as a plain substring.
    bool contains(std::string_view piece) const;
    void append(std::string_view piece);

private:
    // A filter over the 8-byte runs that start at every fourth position of the
    // text. A piece that occurs in the text has all its runs at one of four
    // alignments in the filter; a piece that fails at all four is absent, which
    // spares the full substring search for nearly every new line.
    static constexpr std::size_t kGram = 8;
    static constexpr std::size_t kStride = 4;
    static constexpr unsigned kFilterBits = 18;
    static constexpr std::size_t kFilterWords = (std::size_t{1} << kFilterBits) / 64;
    static std::size_t gramSlot(const char* at);
    bool mayHold(std::size_t slot) const { return filter_[slot >> 6] >> (slot & 63) & 1; }
    bool mayHoldAligned(std::string_view piece, std::size_t alignment) const;

    std::string text_;
    std::unique_ptr<std::uint64_t[]> filter_;
    std::size_t nextGram_ = 0;  // the next text position whose run goes into the filter
};

}  // namespace tyx12::detail
