// The walk of one Category folder: its own files first, then, with Search
// Subfolders on, each subfolder completely, depth first. The walk knows
// nothing of filters or the engine; it hands every listed file to its caller.
#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"

namespace tessaly {

enum class WalkOrder {
    FileSystem,  // as the system lists a folder, as the window has always shown
    ByName,      // byte order of the names, for output that is the same every time
};

struct WalkOptions {
    bool searchSub = true;  // Search Subfolders
    WalkOrder order = WalkOrder::FileSystem;
};

enum class WalkStep { Continue, Stop };

// What to do about a folder that could not be listed.
enum class FailureAnswer {
    Skip,   // pass over that folder (and all below it) and go on
    Retry,  // list it again
    Stop,   // end the walk
};

struct WalkFailure {
    Failure failure;
    bool categoryFolder = false;  // the folder the walk started from, not one below it
};

struct WalkCallbacks {
    // Every listed file: regular files and links to them, hidden ones left
    // out. `folder` is the folder as the walk reached it.
    std::function<WalkStep(const std::string& folder, const DirectoryEntry& file)> file;
    // After a folder's own files, before anything below it: the run's stop check.
    std::function<WalkStep(const std::string& folder)> filesDone;
    // Every folder the walk could not list. Left empty, runTableAnswer() decides.
    std::function<FailureAnswer(const WalkFailure& failure)> failure;
};

struct WalkResult {
    bool stopped = false;  // ended early, by a callback's Stop or a failure answered Stop
    Failure failure;       // the failure it stopped at, if it stopped at one
};

// The search run's own rule for a folder that cannot be listed: invalid
// argument (5), permission denied (70), access errors (75) and a vanished
// file (53) pass it over without a word; so does a subfolder that vanished
// after it was listed (76 below the Category folder), since the tree changed
// under the walk. Everything else, a missing Category folder among it, stops.
FailureAnswer runTableAnswer(const WalkFailure& failure);

// Walks `categoryFolder` through `files`. Hidden entries (names beginning
// with "."), FIFOs, devices, sockets and links to folders are never listed or
// entered, so the walk ends on any tree, loops of links included. Each
// folder is listed once; a folder that changes while it is walked is seen as
// it was when listed. The process's current folder is left alone.
WalkResult walkCategoryFolder(FileSystem& files, const std::string& categoryFolder,
                              const WalkOptions& options, const WalkCallbacks& callbacks);

}  // namespace tessaly
