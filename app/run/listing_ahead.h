// Folders of a walk listed before the walk reaches them, by threads that
// would otherwise wait. A walk through many small folders spends most of its
// time listing them one after another, while the few files it hands out are
// searched (or ruled out by the word index) in an instant: the threads that
// search then sit idle, and the walk alone sets the pace.
//
// The walk offers each folder's subfolders as soon as it has listed the
// folder; an idle thread lists the offered folder the walk will enter
// soonest; the walk takes each listing when it enters the folder, listing it
// itself if nobody has. So the walk sees the same listings in the same order
// as without help, only sooner.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tessaly {

class ListingAhead {
public:
    // A subfolder the walk will enter.
    class Folder;

    // `memory`: as for the walk (WalkOptions).
    explicit ListingAhead(FileSystem& files, ListingMemory* memory = nullptr) : files_(files), memory_(memory) {}
    ListingAhead(const ListingAhead&) = delete;
    ListingAhead& operator=(const ListingAhead&) = delete;

    // From the walk: the subfolders of `parent` it will enter, in the order it
    // enters them; returns one Folder for each, in that order.
    std::vector<std::shared_ptr<Folder>> offer(const std::shared_ptr<const OpenFolder>& parent,
                                               const std::vector<std::string>& names);
    // From the walk, entering `folder`: its listing, as a helper made it or
    // made now, as FileSystem::listQuickly() gives it.
    Failure take(Folder& folder, FolderListing& listing);
    // From a thread with nothing else to do: lists the offered folder the
    // walk will enter soonest. False when there is none to list, or enough
    // are listed and waiting for the walk already.
    bool listOne();
    // The walk ended: folders offered and not taken are given up, and their
    // listings closed.
    void clear();

private:
    // Listings made ahead and not yet taken, at most: each holds a folder
    // open and its entries in memory.
    static constexpr std::size_t kMostWaiting = 64;

    FileSystem& files_;
    ListingMemory* memory_;
    std::mutex mutex_;
    std::condition_variable listed_;
    // Offered and not yet listed: the last offered, the deepest in the
    // walk's tree, is entered soonest.
    std::vector<std::shared_ptr<Folder>> offered_;
    std::size_t waiting_ = 0;  // listed ahead, not yet taken
    int sleeping_ = 0;         // the walk, asleep on listed_
};

}  // namespace tessaly
