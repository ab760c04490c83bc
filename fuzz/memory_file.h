// A file that lives in memory; the engine opens it by its path like any other.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

struct MemoryFile {
    explicit MemoryFile(const char* name)
        : fd(memfd_create(name, MFD_CLOEXEC)), path("/proc/self/fd/" + std::to_string(fd)) {}
    ~MemoryFile() { close(fd); }
    void write(const std::string& bytes) {
        if (ftruncate(fd, 0) != 0 || pwrite(fd, bytes.data(), bytes.size(), 0) != ssize_t(bytes.size()))
            std::abort();
    }
    int fd;
    std::string path;
};
