#include "viewer/body_text_decoder.h"

#include <algorithm>
#include <cstdlib>

namespace tessaly {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::size_t BodyTextDecoder::decode(std::size_t bytes, char16_t* out) {
    const std::size_t stop = std::min(rtf_.size(), position_ + bytes);
    char16_t* const start = out;
    while (position_ < stop) {
        const char c = rtf_[position_];
        if (c == '\\') {
            out += controlWord(out);
            continue;
        }
        ++position_;
        if (skipFallback_) {
            skipFallback_ = false;
            if (c != '{' && c != '}') continue;
        }
        // Line ends in RTF are only there for whoever reads the file: the
        // text's own line breaks are paragraphs.
        if (c == '{' || c == '}' || c == '\r' || c == '\n') continue;
        *out++ = static_cast<unsigned char>(c);
    }
    return static_cast<std::size_t>(out - start);
}

// At a backslash: writes what the escape or control word stands for, if
// anything, and passes over it with its parameter and delimiting blank.
std::size_t BodyTextDecoder::controlWord(char16_t* out) {
    skipFallback_ = false;
    std::size_t at = position_ + 1;
    if (at >= rtf_.size()) {
        position_ = at;
        return 0;
    }
    const char first = rtf_[at];
    if (!isLetter(first)) {
        position_ = at + 1;
        if (first == '\\' || first == '{' || first == '}') {
            *out = static_cast<unsigned char>(first);
            return 1;
        }
        if (first == '\'' && at + 2 < rtf_.size()) {
            // The engine writes every character as \uN; a byte escape from
            // elsewhere reads as Latin-1.
            const char hex[3] = {rtf_[at + 1], rtf_[at + 2], '\0'};
            position_ = at + 3;
            *out = static_cast<char16_t>(std::strtol(hex, nullptr, 16));
            return 1;
        }
        return 0;
    }
    const std::size_t nameStart = at;
    while (at < rtf_.size() && isLetter(rtf_[at])) ++at;
    const std::string_view name = rtf_.substr(nameStart, at - nameStart);
    const std::size_t numberStart = at;
    if (at < rtf_.size() && rtf_[at] == '-') ++at;
    while (at < rtf_.size() && isDigit(rtf_[at])) ++at;
    const std::string_view number = rtf_.substr(numberStart, at - numberStart);
    if (at < rtf_.size() && rtf_[at] == ' ') ++at;
    position_ = at;

    if (name == "par" || name == "line") {
        *out = u'\n';
        return 1;
    }
    if (name == "tab") {
        *out = u'\t';
        return 1;
    }
    if (name == "u" && !number.empty()) {
        *out = static_cast<char16_t>(std::atoi(std::string(number).c_str()));
        skipFallback_ = true;
        return 1;
    }
    return 0;
}

std::u16string bodyText(std::string_view rtf) {
    std::u16string text(rtf.size(), u'\0');
    BodyTextDecoder decoder(rtf);
    text.resize(decoder.decode(rtf.size(), text.data()));
    return text;
}

}  // namespace tessaly
