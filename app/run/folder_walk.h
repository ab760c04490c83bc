// The walk of one Category folder: its own files first, then, with Search
// Subfolders on, each subfolder completely, depth first, names in byte order
// at every level, so that every run lists the same files in the same order.
// The walk knows nothing of filters or the engine; it hands every listed file
// to its caller.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "run/listing_ahead.h"

namespace tessaly {

struct WalkOptions {
    bool searchSubfolders = true;
    // Files and folders whose name begins with "."; left out unless asked for.
    bool hiddenIncluded = false;
    // Subfolders whose name matches one of these shell patterns (fnmatch:
    // "*", "?", "[...]") are not entered. The folder a walk starts from is
    // entered whatever its name: the person chose it.
    std::vector<std::string> leftOutFolders{};
    // Gives the names of folders it proves unchanged, and keeps the others'
    // (FileSystem::listQuickly).
    ListingMemory* memory = nullptr;
};

// Whether a subfolder of this name is left out by one of the patterns.
bool folderLeftOut(const std::string& name, const std::vector<std::string>& patterns);

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
    // out unless included. `folder` is held open for as long as the caller keeps it; the
    // entry may be unexamined (FileSystem::listQuickly). The entry is the
    // caller's to take from: the walk is done with it.
    std::function<WalkStep(const std::shared_ptr<const OpenFolder>& folder, DirectoryEntry& file)> file;
    // After a folder's own files, before anything below it: the run's stop check.
    std::function<WalkStep(const std::string& folder)> filesDone;
    // Every folder the walk could not list, and every entry it could not
    // examine. Left empty, runTableAnswer() decides.
    std::function<FailureAnswer(const WalkFailure& failure)> failure;
    // Every entry that is neither a file nor a folder, hidden ones left out
    // unless included:
    // links to folders, broken links, FIFOs, sockets, devices. Never opened.
    std::function<void(const std::string& path, OtherKind kind)> passedOver;
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
// with ".", unless included) and left-out folders are never listed or
// entered; FIFOs, devices, sockets and links to folders never are either, so
// the walk ends on any tree, loops of links included. Each
// folder is listed once; a folder that changes while it is walked is seen as
// it was when listed. The process's current folder is left alone. With
// `ahead`, idle threads may list folders before the walk enters them; what
// the callbacks see is the same.
WalkResult walkCategoryFolder(FileSystem& files, const std::string& categoryFolder,
                              const WalkOptions& options, const WalkCallbacks& callbacks,
                              ListingAhead* ahead = nullptr);

}  // namespace tessaly
