// The viewer shows plain text: the engine's RTF body (and its result lines)
// read back into UTF-16 units, each paragraph a line break "\n", the escapes
// \\ \{ \} and \uN as their characters, all other markup gone. A large body is
// read a slice at a time, so that the window can show the start meanwhile.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly {

class BodyTextDecoder {
public:
    explicit BodyTextDecoder(std::string_view rtf) : rtf_(rtf) {}

    // Reads on from where the last call stopped, through at least `bytes`
    // of the RTF (or to its end) but never into the middle of an escape,
    // writing the text to `out`: room for as many units as bytes are read is
    // enough. Returns how many units were written.
    std::size_t decode(std::size_t bytes, char16_t* out);

    std::size_t position() const { return position_; }
    bool done() const { return position_ >= rtf_.size(); }

private:
    std::size_t controlWord(char16_t* out);

    std::string_view rtf_;
    std::size_t position_ = 0;
    // Units still to pass over after a \uN: the character RTF readers
    // without Unicode show instead.
    bool skipFallback_ = false;
};

// A whole RTF text at once.
std::u16string bodyText(std::string_view rtf);

}  // namespace tessaly
