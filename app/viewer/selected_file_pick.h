// Which result file the user means: the entry of the result pane under its
// caret.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// `plainText` is the result pane's plain text as the rich-text box holds it
// (UTF-16, so that `caret`, the box's caret offset, counts the same units).
//
// Each entry opens with its marker ("1. ", "2. ", ...) followed by the file's
// path and "   [". The markers are looked for in order, each from where the
// previous one was found, and the entry that counts is the last whose marker
// starts before the caret; the first entry counts even with the caret before
// it. The marker text is not unique: "see 2. " inside a passage of entry 1 is
// taken for entry 2's marker, and the real entry 2 then counts as part of it.
// Such a false entry names no path, so the caller keeps the file it had.
//
// Gives the path of the entry that counts, as the pane shows it (the caller
// turns it back into the file system's bytes with the lossless conversion),
// or nothing when there is no entry or the entry names no local path (one
// that begins with "/", on one line, before "   ["); the caller then keeps
// its previous selection.
std::optional<std::u16string> pathUnderCaret(std::u16string_view plainText, int caret);

}  // namespace tessaly
