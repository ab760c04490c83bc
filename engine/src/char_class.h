// Byte classes shared by normalisation, the word finds and the hit window.
// Plain ASCII tests, independent of any locale.
#pragma once

namespace tyx12::detail {

constexpr bool isPrintable(unsigned char c) { return c >= 0x20 && c <= 0x7E; }

constexpr bool isLetterOrDigit(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// The characters that cut a hit window under smart search. Apostrophe, closing
// brackets and the like are left out on purpose: they sit inside words and
// after them far more often than they end a phrase.
constexpr bool isSmartPunctuation(unsigned char c) {
    switch (c) {
    case '!': case '"': case '#': case '$': case '%': case '&': case '(': case '*':
    case ',': case '.': case '/': case ':': case ';': case '<': case '?': case '[':
    case '^': case '{': case '|': case '~': case '@':
        return true;
    default:
        return false;
    }
}

}  // namespace tyx12::detail
