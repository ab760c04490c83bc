// What the word index remembers of one file: which file it was, as it stood
// when its words were taken, and how it was read.
#pragma once

#include <cstdint>

namespace tessaly {

// How the search read the file. Stored as these numbers: never renumber.
enum class ReadAs : std::uint8_t {
    text = 0,      // the engine read the file's bytes as text
    document = 1,  // the text a document reader extracted (PDF, Office, ...)
    rawBytes = 2,  // a document read as its bytes, as the option to skip the readers asks
    binary = 3,    // no document, and a NUL in its first 8 KB: kept without words, so
                   // that a run that leaves binary files out need not look again
};

// Which file a name led to and which state of it: two equal versions are the
// same file with the same content, unless the racy-timestamp rule says the
// times cannot tell (see racy_timestamps.h).
struct FileVersion {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;  // mtime: the content changed
    std::int64_t changedNanoseconds = 0;   // ctime: content, mode, links or name changed
    bool operator==(const FileVersion&) const = default;
};

// Numbers of entries: a file recorded again gets a new, larger number, never
// one used before, so a number always means one recording of one file.
using IndexedFileId = std::int64_t;

struct IndexedFile {
    IndexedFileId id = 0;
    FileVersion version;
    ReadAs readAs = ReadAs::text;
    std::int64_t recordedNanoseconds = 0;  // when the reading that gave the words began
    std::int64_t usedNanoseconds = 0;      // when a search last asked about it, roughly
    bool hasDocumentText = false;
};

}  // namespace tessaly
