// Whether a file would run if the desktop's opener were given it. A found
// file may come from anywhere (a download, an attachment, someone else's
// share); opening it must never start code the person did not choose to
// run, and some openers start programs, launchers and scripts.
#pragma once

#include <string>

#include "platform/error_codes.h"
#include "platform/file_system.h"

namespace tessaly {

enum class ProgramVerdict {
    Document,    // may go to the opener
    Program,     // could run: never goes to the opener
    NotAFile,    // a folder, pipe, device or socket: nothing to open
    Unreadable,  // could not be looked at, so not opened either
};

struct ProgramCheck {
    ProgramVerdict verdict = ProgramVerdict::Unreadable;
    Failure failure;  // why, when Unreadable
    FileIdentity identity;  // the file judged
};

// Looks at the file itself, not only its name: a regular file with any
// execute bit, a desktop launcher (by its name, or by content that opens
// with its group after blank and comment lines), an ELF or DOS/Windows
// executable header, a "#!" first line, a Java archive (by its manifest or
// its name), a Windows installer and an internet shortcut is a program. Only the first bytes
// are read, and nothing that is not a regular file is opened.
ProgramCheck checkProgramFile(FileSystem& files, const std::string& path);

// Whether the name still leads to the file that was judged, unchanged: asked
// again just before the file goes to the opener, so that a file swapped for
// a program after the check is not handed over.
bool stillTheFileJudged(FileSystem& files, const std::string& path, const ProgramCheck& check);

}  // namespace tessaly
