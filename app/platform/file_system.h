// Every file and folder access of the core goes through this seam, so that
// tests can make any step fail with the errno of their choice.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error_codes.h"
#include "platform/listing_memory.h"

namespace tessaly {

enum class EntryKind {
    File,       // a regular file, or a symbolic link to one
    Directory,  // a real folder; a symbolic link to a folder is Other, never entered
    Other,      // FIFO, device, socket, broken link: never opened
};

// What an entry of kind Other is, so that the run can say why it was not opened.
enum class OtherKind {
    Unknown,       // could not be examined: statusError tells why
    LinkToFolder,  // never followed: a link can lead back up and never end
    BrokenLink,
    Pipe,          // a FIFO, or a link to one: opening it could wait for ever
    Socket,
    Device,        // a device, or a link to one: /dev/zero never ends
};

// Why the run passes over an entry of kind Other, for the person who asks.
std::string_view otherKindReason(OtherKind kind);

struct DirectoryEntry {
    std::string name;
    EntryKind kind = EntryKind::Other;
    OtherKind other = OtherKind::Unknown;  // for kind Other
    bool hidden = false;  // the name begins with "."
    std::uint64_t size = 0;
    std::time_t modified = 0;
    bool readableByAll = false;  // its permission bits let anyone read it
    int statusError = 0;  // listed, but could not be examined (errno); kind is Other
    // Whether size, modified and readableByAll hold. A quick listing tells
    // files from folders by the listing alone and leaves them unexamined.
    bool examined = true;
};

// Whether the file system a folder is on moves the folder's times whenever
// an entry is made, removed or renamed in it (FileSystem::listQuickly): asked
// of the system once, then passed from a folder to its subfolders on the
// same device.
struct FolderTimes {
    dev_t device = 0;
    bool kept = false;
};

// A folder held open while its files are searched: they are opened by name
// relative to it, so the system does not walk the whole path again for each.
class OpenFolder {
public:
    OpenFolder(int fd, std::string path, std::shared_ptr<void> note = nullptr,
               std::optional<FolderTimes> times = std::nullopt)
        : fd_(fd), path_(std::move(path)), note_(std::move(note)), times_(times) {}
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    // What a listing memory noted of the folder when it was listed
    // (listing_memory.h); none when no memory was asked.
    const std::shared_ptr<void>& note() const { return note_; }
    // Known for a folder listed with a listing memory.
    const std::optional<FolderTimes>& times() const { return times_; }

private:
    int fd_;
    std::string path_;
    std::shared_ptr<void> note_;
    std::optional<FolderTimes> times_;
};

// How a file begins, and what it is, taken through one descriptor so that
// both describe the same file even if the name is swapped meanwhile.
// Which file a name led to, and as it stood then: equal identities mean
// the same file, unchanged.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t changedNanoseconds = 0;  // ctime: any write, chmod or rename
    bool operator==(const FileIdentity&) const = default;
};

struct FileStart {
    EntryKind kind = EntryKind::Other;  // of what the path leads to, links followed
    bool executable = false;            // any of its execute bits is set
    std::string bytes;                  // the first bytes of a regular file, none otherwise
    FileIdentity identity;              // of what was opened and read, or looked at
};

struct FolderListing {
    std::shared_ptr<const OpenFolder> folder;
    std::vector<DirectoryEntry> entries;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The entries of a folder except "." and "..", in the order the system
    // gives them.
    virtual Failure list(const std::string& folder, std::vector<DirectoryEntry>& entries) = 0;
    // The entries as list() gives them, but files and folders are told apart
    // by the listing alone and left unexamined; only links and entries of
    // unknown type are looked at. The folder stays open with the listing.
    // `parent`, when given, holds the folder: it is opened relative to it by
    // its last name, so the system does not walk the whole path again.
    // Called from several threads at once: a search lists folders ahead.
    // `memory`, when given, gives the names of a folder it proves unchanged
    // since it was listed, on a file system known to keep folders' times,
    // and is given the names of every other folder listed there.
    virtual Failure listQuickly(const std::string& folder, const OpenFolder* parent, FolderListing& listing,
                                ListingMemory* memory = nullptr) = 0;
    // Fills in what listQuickly() left out.
    virtual Failure examine(const OpenFolder& folder, DirectoryEntry& entry) = 0;
    // Opens a listed file for reading; the caller closes `fd`. Called from
    // several threads at once, as is examine().
    virtual Failure openFile(const OpenFolder& folder, const std::string& name, int& fd) = 0;
    // What a path is; symbolic links are followed as for list().
    virtual Failure status(const std::string& path, DirectoryEntry& entry) = 0;

    // At most `length` bytes from the start of the file. Something that is
    // not a regular file is described but never read: a pipe or a device
    // could keep the reader waiting.
    virtual Failure readStart(const std::string& path, std::size_t length, FileStart& start) = 0;
    virtual Failure readAll(const std::string& path, std::string& bytes) = 0;
    // Creates or empties the file and writes the bytes, flushed to the disk.
    virtual Failure writeAll(const std::string& path, std::string_view bytes) = 0;
    // Appends, creating the file when it is missing.
    virtual Failure append(const std::string& path, std::string_view bytes) = 0;
    // Replaces `to` by `from` in one step.
    virtual Failure rename(const std::string& from, const std::string& to) = 0;
    virtual Failure remove(const std::string& path) = 0;
};

// The entries of a remembered listing (listing_memory.h), as listQuickly()
// gives them; false, with some entries added, when it does not hold
// together.
bool addRememberedEntries(int folderFd, std::string_view listing, std::vector<DirectoryEntry>& entries);

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
