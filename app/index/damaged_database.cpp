#include "index/damaged_database.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tessaly {

int setAside(const std::string& path) {
    if (std::rename(path.c_str(), (path + ".damaged").c_str()) != 0 && errno != ENOENT)
        return errno;
    for (const char* suffix : {"-wal", "-shm"})
        if (::unlink((path + suffix).c_str()) != 0 && errno != ENOENT) return errno;
    return 0;
}

}  // namespace tessaly
