#include "platform/file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaly {

namespace {

mode_t currentUmask() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

}  // namespace

FileReplacement::~FileReplacement() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

int FileReplacement::begin() {
    const std::size_t slash = target_.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target_.substr(0, slash);
    const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    std::string pattern = (folder.empty() ? std::string() : folder) + "/." + name + ".XXXXXX";
    const int handle = ::mkstemp(pattern.data());
    if (handle < 0) return errno;
    struct stat existing {};
    const mode_t mode =
        ::stat(target_.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0666 & ~currentUmask();
    ::fchmod(handle, mode);
    ::close(handle);
    temporary_ = pattern;
    return 0;
}

int FileReplacement::commit() {
    if (temporary_.empty()) return 0;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return errno;
    temporary_.clear();
    return 0;
}

}  // namespace tessaly
