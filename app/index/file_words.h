// One file's words as a search hands them to the index once it has read the
// file to its end.
#pragma once

#include <optional>
#include <string>
#include "index/indexed_file.h"
#include "index/indexed_words.h"

namespace tessaly {

struct FileWords {
    std::string folder;  // the file system's bytes, as the walk gives them
    std::string name;
    FileVersion version;  // taken before the reading began
    ReadAs readAs = ReadAs::text;
    // Wall-clock time (CLOCK_REALTIME, the clock of file times) taken before
    // the first byte was read: the racy-timestamp rule needs a moment no later
    // than the reading.
    std::int64_t recordedNanoseconds = 0;
    // The engine's words, folded as it folds them; repeats are allowed.
    IndexedWords words;
    // Each word reversed, as the caller reverses them for a leading wildcard.
    IndexedWords reversedWords;
    // The extracted text of a document, kept compressed beside its words.
    std::optional<std::string> documentText;
};

}  // namespace tessaly
