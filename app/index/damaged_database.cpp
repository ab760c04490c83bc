#include "index/damaged_database.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace tessaly {

namespace {

constexpr char kMagic[] = "SQLite format 3";  // with its final NUL: 16 bytes
constexpr std::size_t kHeaderBytes = 100;

std::uint32_t bigEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
    return value;
}

bool hasLog(const std::string& path) {
    struct stat log {};
    return ::stat((path + "-wal").c_str(), &log) == 0 && log.st_size > 0;
}

}  // namespace

bool looksWhole(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;  // missing, or unreadable: opening it will say which
    struct stat info {};
    unsigned char header[kHeaderBytes];
    const bool statted = ::fstat(fd, &info) == 0;
    const ssize_t got = statted ? ::pread(fd, header, sizeof header, 0) : -1;
    ::close(fd);
    if (!statted || got < 0) return true;
    if (info.st_size == 0) return true;
    if (static_cast<std::size_t>(got) < kHeaderBytes || std::memcmp(header, kMagic, sizeof kMagic) != 0)
        return hasLog(path) && static_cast<std::size_t>(got) < kHeaderBytes;
    // The page count in the header counts only when the header says so (its
    // change counter equals the "valid for" number), and only for a database
    // whose log has been folded back in.
    if (hasLog(path) || bigEndian(header + 24, 4) != bigEndian(header + 92, 4)) return true;
    std::uint32_t pageSize = bigEndian(header + 16, 2);
    if (pageSize == 1) pageSize = 65536;
    const std::uint64_t pages = bigEndian(header + 28, 4);
    return static_cast<std::uint64_t>(info.st_size) >= pages * pageSize;
}

int setAside(const std::string& path) {
    if (::rename(path.c_str(), (path + ".damaged").c_str()) != 0 && errno != ENOENT) return errno;
    for (const char* suffix : {"-wal", "-shm"})
        if (::unlink((path + suffix).c_str()) != 0 && errno != ENOENT) return errno;
    return 0;
}

}  // namespace tessaly
