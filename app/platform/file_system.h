// Every file and folder access of the core goes through this seam, so that
// tests can make any step fail with the errno of their choice.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error_codes.h"

namespace tessaly {

enum class EntryKind {
    File,       // a regular file, or a symbolic link to one
    Directory,  // a real folder; a symbolic link to a folder is Other, never entered
    Other,      // FIFO, device, socket, broken link: never opened
};

struct DirectoryEntry {
    std::string name;
    EntryKind kind = EntryKind::Other;
    bool hidden = false;  // the name begins with "."
    std::uint64_t size = 0;
    std::time_t modified = 0;
    bool readableByAll = false;  // its permission bits let anyone read it
    int statusError = 0;  // listed, but could not be examined (errno); kind is Other
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The entries of a folder except "." and "..", in the order the system
    // gives them.
    virtual Failure list(const std::string& folder, std::vector<DirectoryEntry>& entries) = 0;
    // What a path is; symbolic links are followed as for list().
    virtual Failure status(const std::string& path, DirectoryEntry& entry) = 0;

    virtual Failure readAll(const std::string& path, std::string& bytes) = 0;
    // Creates or empties the file and writes the bytes, flushed to the disk.
    virtual Failure writeAll(const std::string& path, std::string_view bytes) = 0;
    // Appends, creating the file when it is missing.
    virtual Failure append(const std::string& path, std::string_view bytes) = 0;
    // Replaces `to` by `from` in one step.
    virtual Failure rename(const std::string& from, const std::string& to) = 0;
    virtual Failure remove(const std::string& path) = 0;
};

// The system's own file system.
FileSystem& systemFileSystem();

// Writes through `temporary` (in the same folder) and renames it over `path`,
// so that a crash or a full disk leaves either the old file or the new one,
// never half of one. On failure the temporary file is removed.
Failure replaceFile(FileSystem& files, const std::string& path, const std::string& temporary,
                    std::string_view bytes);

// Opens the file for appending and closes it: a missing file appears, empty.
Failure ensureFileExists(FileSystem& files, const std::string& path);

}  // namespace tessaly
