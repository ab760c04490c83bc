// Character classes shared by normalisation, the word finds and the hit
// window. Table lookups, independent of any locale.
#pragma once

#include "text_view.h"
#include "unicode_class.h"

namespace tyx12::detail {

constexpr bool isPrintableAscii(Char c) { return c >= 0x20 && c <= 0x7E; }

// Letters, digits and marks of every script; everything else ends a word.
inline bool isWordChar(Char c) { return charKind(c) == CharKind::Word; }

// What becomes of a character in the text the search reads, and so in the
// viewer's body too: kept as it is, a line break, a blank of its own, dropped,
// or part of a run that gives one blank.
enum class TextRole : unsigned char { Kept, LineBreak, Blank, Dropped, Run };

constexpr TextRole asciiTextRole(Char c) {
    if (isPrintableAscii(c)) return TextRole::Kept;
    if (c == 0x0D || c == 0x09) return TextRole::LineBreak;
    return c == 0x00 ? TextRole::Dropped : TextRole::Run;
}

inline TextRole textRoleOf(Char c) {
    if (c < 0x80) return asciiTextRole(c);
    switch (charKind(c)) {
    case CharKind::Word:
    case CharKind::Kept: return TextRole::Kept;
    case CharKind::Blank: return TextRole::Blank;
    case CharKind::Run: break;
    }
    return TextRole::Run;
}

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
