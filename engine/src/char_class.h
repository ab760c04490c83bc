// Character classes shared by normalisation, the word finds and the hit
// window. Table lookups, independent of any locale.
#pragma once

#include "text_view.h"
#include "unicode_class.h"

namespace tyx12::detail {

constexpr bool isPrintableAscii(Char c) { return c >= 0x20 && c <= 0x7E; }

// Letters, digits and marks of every script; everything else ends a word.
inline bool isWordChar(Char c) { return charKind(c) == CharKind::Word; }

constexpr Char lowerAscii(Char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// The characters that cut a hit window under smart search. Apostrophe, closing
// brackets and the like are left out on purpose: they sit inside words and
// after them far more often than they end a phrase.
constexpr bool isSmartPunctuation(Char c) {
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
