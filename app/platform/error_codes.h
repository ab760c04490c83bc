// The program's error codes. Failures of this platform are mapped onto the
// codes the program has always shown, so that messages and tables stay the same.
#pragma once

#include <string>

namespace tessaly {

namespace code {
inline constexpr int invalidArgument = 5;
inline constexpr int outOfMemory = 7;
inline constexpr int outOfStringSpace = 14;
inline constexpr int outOfStackSpace = 28;
inline constexpr int fileNotFound = 53;
inline constexpr int deviceIoError = 57;
inline constexpr int diskFull = 61;
inline constexpr int deviceUnavailable = 68;
inline constexpr int permissionDenied = 70;
inline constexpr int diskNotReady = 71;
inline constexpr int pathFileAccessError = 75;
inline constexpr int pathNotFound = 76;
inline constexpr int libraryNotLoadable = 298;
inline constexpr int printerError = 482;
inline constexpr int printerUnsupported = 483;
inline constexpr int controlOutOfMemory = 31001;
inline constexpr int richTextLoadFailed = 31037;
inline constexpr int richTextSaveFailed = 31306;
}  // namespace code

// What a failed operation tells its caller: the program's code, the system's
// errno behind it, and what was being done to which object.
struct Failure {
    int code = 0;
    int systemError = 0;
    std::string operation;  // "read", "list", "rename", ...
    std::string path;
    std::string reason = {};  // why, when no system error says it

    explicit operator bool() const { return code != 0; }
    // For logs and the command line: "cannot list /x: Permission denied (70)".
    std::string describe() const;
};

// Maps an errno onto a program code. A missing path is 53 for a file and 76
// for a folder, so the caller says which it was after.
int codeFromErrno(int systemError, bool wantedFolder);

Failure failureFromErrno(int systemError, std::string operation, std::string path,
                         bool wantedFolder = false);

}  // namespace tessaly
