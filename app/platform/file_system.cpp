#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>

#include "platform/file_descriptor.h"
#include "platform/path_join.h"

namespace tessaly {

namespace {

int openRetrying(const char* path, int flags, mode_t mode = 0666) {
    int fd;
    do {
        fd = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

Failure writeEverything(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return failureFromErrno(errno, "write", path);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

EntryKind kindOf(const struct stat& info) {
    if (S_ISREG(info.st_mode)) return EntryKind::File;
    if (S_ISDIR(info.st_mode)) return EntryKind::Directory;
    return EntryKind::Other;
}

OtherKind otherKindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return OtherKind::Pipe;
    if (S_ISSOCK(mode)) return OtherKind::Socket;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return OtherKind::Device;
    return OtherKind::Unknown;
}

// A link to a folder is never entered (a loop would have no end); a link to a
// file is that file.
DirectoryEntry describe(std::string name, const struct stat& own, const struct stat* target) {
    DirectoryEntry entry;
    entry.hidden = !name.empty() && name[0] == '.';
    entry.name = std::move(name);
    const struct stat& info = target ? *target : own;
    entry.kind = kindOf(info);
    if (S_ISLNK(own.st_mode) && entry.kind != EntryKind::File) entry.kind = EntryKind::Other;
    if (entry.kind == EntryKind::Other) {
        entry.other = !S_ISLNK(own.st_mode) || target ? otherKindOf(info.st_mode) : OtherKind::BrokenLink;
        if (S_ISLNK(own.st_mode) && target && S_ISDIR(target->st_mode)) entry.other = OtherKind::LinkToFolder;
    }
    entry.size = static_cast<std::uint64_t>(info.st_size);
    entry.modified = info.st_mtime;
    entry.readableByAll = (info.st_mode & S_IROTH) != 0;
    return entry;
}

// Looks at a listed entry, following a link to what it leads to. An entry
// that cannot be looked at is kept, so that the walk can say which it was.
void examineEntry(int folderFd, DirectoryEntry& entry) {
    struct stat own, target;
    if (::fstatat(folderFd, entry.name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) {
        entry.statusError = errno;
        entry.kind = EntryKind::Other;
        entry.other = OtherKind::Unknown;
        entry.examined = true;
        return;
    }
    const bool targetKnown = S_ISLNK(own.st_mode) && ::fstatat(folderFd, entry.name.c_str(), &target, 0) == 0;
    entry = describe(std::move(entry.name), own, targetKnown ? &target : nullptr);
}

// A link the listing named as one: what it leads to tells all, so the link
// itself is looked at only when it leads nowhere.
void examineLink(int folderFd, DirectoryEntry& entry) {
    struct stat target;
    if (::fstatat(folderFd, entry.name.c_str(), &target, 0) != 0) return examineEntry(folderFd, entry);
    struct stat own {};
    own.st_mode = S_IFLNK;
    entry = describe(std::move(entry.name), own, &target);
}

// One entry of a quick listing: its kind from the listing's own type where
// the file system tells it.
void addQuickEntry(int folderFd, const char* name, unsigned char type, std::vector<DirectoryEntry>& entries) {
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) return;
    DirectoryEntry entry;
    entry.name = name;
    entry.hidden = name[0] == '.';
    switch (type) {
    case DT_REG:
        entry.kind = EntryKind::File;
        entry.examined = false;
        break;
    case DT_DIR:
        entry.kind = EntryKind::Directory;
        entry.examined = false;
        break;
    case DT_FIFO:
        entry.other = OtherKind::Pipe;
        entry.examined = false;
        break;
    case DT_SOCK:
        entry.other = OtherKind::Socket;
        entry.examined = false;
        break;
    case DT_CHR:
    case DT_BLK:
        entry.other = OtherKind::Device;
        entry.examined = false;
        break;
    default:  // links, and file systems that do not tell the type
        if (entry.hidden)
            entry.examined = false;
        else if (type == DT_LNK)
            examineLink(folderFd, entry);
        else
            examineEntry(folderFd, entry);
    }
    entries.push_back(std::move(entry));
}

// Whole files are read and appended to only when they are files: a pipe
// would hang the program, a device such as /dev/zero would never end.
Failure refuseUnlessRegular(int fd, const char* operation, const std::string& path) {
    struct stat info;
    if (::fstat(fd, &info) != 0) return failureFromErrno(errno, operation, path);
    if (S_ISREG(info.st_mode)) return {};
    Failure failure;
    failure.code = code::pathFileAccessError;
    failure.operation = operation;
    failure.path = path;
    failure.reason = "not a regular file";
    return failure;
}

// Whether the folders of the file system the folder is on change their
// times whenever an entry is made, removed or renamed in them: the local
// file systems of this system do. A network file system may show times
// cached from before a change; FAT, written by another system, may not move
// them at all.
bool fileSystemKeepsFolderTimes(int folderFd) {
    struct statfs system;
    if (::fstatfs(folderFd, &system) != 0) return false;
    switch (static_cast<unsigned long>(system.f_type)) {
    case EXT4_SUPER_MAGIC:  // also ext2 and ext3
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

void addRawEntry(const char* name, unsigned char type, RawListing& raw) {
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) return;
    raw.push_back(static_cast<char>(type));
    raw.append(name);
    raw.push_back('\0');
}

class SystemFileSystem final : public FileSystem {
public:
    Failure list(const std::string& folder, std::vector<DirectoryEntry>& entries) override {
        entries.clear();
        FolderListing listing;
        if (Failure failure = listQuickly(folder, nullptr, listing, nullptr)) return failure;
        for (DirectoryEntry& entry : listing.entries)
            if (!entry.examined) examineEntry(listing.folder->fd(), entry);
        entries = std::move(listing.entries);
        return {};
    }

    Failure listQuickly(const std::string& folder, const OpenFolder* parent, FolderListing& listing,
                        ListingMemory* memory) override {
        listing.entries.clear();
        listing.folder.reset();
        const std::size_t slash = folder.find_last_of('/');
        const bool byName = parent && slash != std::string::npos && slash + 1 < folder.size();
        const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
        int fd;
        do {
            // A subfolder swapped for a link since it was listed is not followed.
            fd = byName ? ::openat(parent->fd(), folder.c_str() + slash + 1, flags | O_NOFOLLOW)
                        : ::open(folder.c_str(), flags);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) return failureFromErrno(errno, "list", folder, true);
        // The folder's status comes before its names: a change while they
        // are read moves its times past what is remembered with them.
        struct stat status;
        std::optional<FolderTimes> times;
        if (memory && ::fstat(fd, &status) == 0) {
            const std::optional<FolderTimes>& parentTimes = parent ? parent->times() : std::nullopt;
            times = parentTimes && parentTimes->device == status.st_dev
                        ? *parentTimes
                        : FolderTimes{status.st_dev, fileSystemKeepsFolderTimes(fd)};
        }
        if (!times || !times->kept) memory = nullptr;
        Recalled recalled = memory ? memory->recall(folder, status) : Recalled{};
        auto opened = std::make_shared<const OpenFolder>(fd, folder, std::move(recalled.note), times);
        if (recalled.listing) {
            if (addRememberedEntries(fd, *recalled.listing, listing.entries)) {
                listing.folder = std::move(opened);
                return {};
            }
            listing.entries.clear();
        }
        timespec now{};
        if (memory) ::clock_gettime(CLOCK_REALTIME, &now);
        const std::int64_t listedAt = std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
        RawListing raw;
        // The entries straight from the system, without a DIR stream: it
        // would cost a duplicate descriptor, a stat and a close per folder.
        alignas(8) char buffer[32 * 1024];
        for (;;) {
            const ssize_t got = ::getdents64(fd, buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                return failureFromErrno(errno, "list", folder, true);
            }
            if (got == 0) break;
            // Room for every entry the system handed over, each at least 24
            // bytes; growing by at least double, so that a large folder is
            // not moved once for each batch.
            const std::size_t room = listing.entries.size() + static_cast<std::size_t>(got) / 24;
            if (room > listing.entries.capacity())
                listing.entries.reserve(std::max(room, 2 * listing.entries.capacity()));
            for (ssize_t at = 0; at < got;) {
                const auto* item = reinterpret_cast<const dirent64*>(buffer + at);
                at += item->d_reclen;
                if (memory) addRawEntry(item->d_name, item->d_type, raw);
                addQuickEntry(fd, item->d_name, item->d_type, listing.entries);
            }
        }
        if (memory) memory->remember(folder, status, listedAt, std::move(raw));
        listing.folder = std::move(opened);
        return {};
    }

    Failure examine(const OpenFolder& folder, DirectoryEntry& entry) override {
        examineEntry(folder.fd(), entry);
        if (entry.statusError != 0)
            return failureFromErrno(entry.statusError, "examine", joinPath(folder.path(), entry.name));
        return {};
    }

    Failure openFile(const OpenFolder& folder, const std::string& name, int& fd) override {
        // Non-blocking, so that a file replaced by a FIFO since it was listed cannot hang the run.
        do {
            fd = ::openat(folder.fd(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) return failureFromErrno(errno, "read", joinPath(folder.path(), name));
        return {};
    }

    Failure status(const std::string& path, DirectoryEntry& entry) override {
        struct stat own, target;
        if (::lstat(path.c_str(), &own) != 0) return failureFromErrno(errno, "examine", path);
        const bool targetKnown = S_ISLNK(own.st_mode) && ::stat(path.c_str(), &target) == 0;
        const std::size_t slash = path.find_last_of('/');
        entry = describe(slash == std::string::npos ? path : path.substr(slash + 1), own,
                         targetKnown ? &target : nullptr);
        return {};
    }

    Failure readStart(const std::string& path, std::size_t length, FileStart& start) override {
        start = {};
        const auto describeStart = [&start](const struct stat& info) {
            start.kind = kindOf(info);
            start.executable = (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
            start.identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                              static_cast<std::uint64_t>(info.st_size),
                              static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec};
        };
        // Opening is itself an act on some devices (a tape rewinds): what is
        // not a file is described from its name alone.
        struct stat info;
        if (::stat(path.c_str(), &info) != 0) return failureFromErrno(errno, "read", path);
        describeStart(info);
        if (start.kind != EntryKind::File) return {};
        FileDescriptor fd(openRetrying(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY));
        if (fd.get() < 0) return failureFromErrno(errno, "read", path);
        // What was opened is what is judged, should the name lead elsewhere by now.
        if (::fstat(fd.get(), &info) != 0) return failureFromErrno(errno, "read", path);
        describeStart(info);
        if (start.kind != EntryKind::File) return {};
        start.bytes.resize(length);
        std::size_t got = 0;
        while (got < length) {
            const ssize_t part = ::read(fd.get(), start.bytes.data() + got, length - got);
            if (part < 0) {
                if (errno == EINTR) continue;
                return failureFromErrno(errno, "read", path);
            }
            if (part == 0) break;
            got += static_cast<std::size_t>(part);
        }
        start.bytes.resize(got);
        return {};
    }

    Failure readAll(const std::string& path, std::string& bytes) override {
        bytes.clear();
        FileDescriptor fd(openRetrying(path.c_str(), O_RDONLY | O_NONBLOCK));
        if (fd.get() < 0) return failureFromErrno(errno, "read", path);
        if (Failure failure = refuseUnlessRegular(fd.get(), "read", path)) return failure;
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                return failureFromErrno(errno, "read", path);
            }
            if (got == 0) break;
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        return {};
    }

    Failure writeAll(const std::string& path, std::string_view bytes) override {
        FileDescriptor fd(openRetrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC));
        if (fd.get() < 0) return failureFromErrno(errno, "write", path);
        if (Failure failure = writeEverything(fd.get(), bytes, path)) return failure;
        if (::fsync(fd.get()) != 0 && errno != EINVAL) return failureFromErrno(errno, "write", path);
        if (fd.close() != 0) return failureFromErrno(errno, "write", path);
        return {};
    }

    Failure append(const std::string& path, std::string_view bytes) override {
        // Not blocking: a pipe in a file's place would wait for a reader forever.
        FileDescriptor fd(openRetrying(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK));
        if (fd.get() < 0) return failureFromErrno(errno, "write", path);
        if (Failure failure = refuseUnlessRegular(fd.get(), "write", path)) return failure;
        if (Failure failure = writeEverything(fd.get(), bytes, path)) return failure;
        if (fd.close() != 0) return failureFromErrno(errno, "write", path);
        return {};
    }

    Failure rename(const std::string& from, const std::string& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) return failureFromErrno(errno, "rename", from);
        return {};
    }

    Failure remove(const std::string& path) override {
        if (::unlink(path.c_str()) != 0) return failureFromErrno(errno, "remove", path);
        return {};
    }
};

}  // namespace

OpenFolder::~OpenFolder() {
    if (fd_ >= 0) ::close(fd_);
}

std::string_view otherKindReason(OtherKind kind) {
    switch (kind) {
    case OtherKind::LinkToFolder:
        return "a link to a folder, not followed";
    case OtherKind::BrokenLink:
        return "a link that leads nowhere";
    case OtherKind::Pipe:
        return "a named pipe, not opened";
    case OtherKind::Socket:
        return "a socket, not opened";
    case OtherKind::Device:
        return "a device, not opened";
    case OtherKind::Unknown:
        break;
    }
    return "not a file or folder";
}

FileSystem& systemFileSystem() {
    static SystemFileSystem files;
    return files;
}

Failure replaceFile(FileSystem& files, const std::string& path, const std::string& temporary,
                    std::string_view bytes) {
    if (Failure failure = files.writeAll(temporary, bytes)) {
        files.remove(temporary);
        return failure;
    }
    if (Failure failure = files.rename(temporary, path)) {
        files.remove(temporary);
        return failure;
    }
    return {};
}

Failure ensureFileExists(FileSystem& files, const std::string& path) {
    return files.append(path, {});
}

bool addRememberedEntries(int folderFd, std::string_view raw, std::vector<DirectoryEntry>& entries) {
    while (!raw.empty()) {
        const std::size_t end = raw.find('\0', 1);
        if (end == std::string_view::npos || end == 1) return false;
        const std::string name(raw.substr(1, end - 1));
        if (name.find('/') != std::string::npos || name == "." || name == "..") return false;
        addQuickEntry(folderFd, name.c_str(), static_cast<unsigned char>(raw[0]), entries);
        raw.remove_prefix(end + 1);
    }
    return true;
}

}  // namespace tessaly
