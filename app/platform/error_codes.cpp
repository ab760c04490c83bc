#include "platform/error_codes.h"

#include <cerrno>
#include <cstring>

namespace tessaly {

int codeFromErrno(int systemError, bool wantedFolder) {
    switch (systemError) {
    case 0: return 0;
    case ENOENT: return wantedFolder ? code::pathNotFound : code::fileNotFound;
    case ENOTDIR: return code::pathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return code::permissionDenied;
    case EIO: return code::deviceIoError;
    case ENOSPC:
    case EDQUOT: return code::diskFull;
    case ENOMEM: return code::outOfMemory;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return code::deviceUnavailable;
    case EINVAL:
    case ENAMETOOLONG:
    case ELOOP: return code::invalidArgument;
    default: return code::pathFileAccessError;
    }
}

Failure failureFromErrno(int systemError, std::string operation, std::string path,
                         bool wantedFolder) {
    Failure failure;
    failure.code = codeFromErrno(systemError, wantedFolder);
    failure.systemError = systemError;
    failure.operation = std::move(operation);
    failure.path = std::move(path);
    return failure;
}

std::string Failure::describe() const {
    std::string text = "cannot " + operation;
    if (!path.empty()) text += " " + path;
    if (systemError != 0) text += std::string(": ") + std::strerror(systemError);
    else if (!reason.empty()) text += ": " + reason;
    text += " (" + std::to_string(code) + ")";
    return text;
}

}  // namespace tessaly
