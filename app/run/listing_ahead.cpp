#include "run/listing_ahead.h"

#include "platform/awake_wait.h"
#include "platform/path_join.h"

namespace tessaly {

class ListingAhead::Folder {
public:
    Folder(std::shared_ptr<const OpenFolder> parent, std::string path)
        : parent(std::move(parent)), path(std::move(path)) {}

    enum class State { offered, listing, listed, taken };
    // All under the ListingAhead's mutex, but the listing itself.
    State state = State::offered;
    std::shared_ptr<const OpenFolder> parent;  // until listed: the folder is opened relative to it
    std::string path;
    Failure failure;
    FolderListing listing;
};

std::vector<std::shared_ptr<ListingAhead::Folder>> ListingAhead::offer(
    const std::shared_ptr<const OpenFolder>& parent, const std::vector<std::string>& names) {
    std::vector<std::shared_ptr<Folder>> folders;
    folders.reserve(names.size());
    for (const std::string& name : names) folders.push_back(std::make_shared<Folder>(parent, joinPath(parent->path(), name)));
    const std::unique_lock lock = lockAwake(mutex_);
    // The first subfolder on top: it is entered first.
    offered_.insert(offered_.end(), folders.rbegin(), folders.rend());
    return folders;
}

Failure ListingAhead::take(Folder& folder, FolderListing& listing) {
    std::unique_lock lock = lockAwake(mutex_);
    // A helper listing it is nearly always nearly done.
    const auto beingListed = [&] { return folder.state == Folder::State::listing; };
    if (!waitAwake(lock, beingListed)) {
        ++sleeping_;
        listed_.wait(lock, [&] { return !beingListed(); });
        --sleeping_;
    }
    if (folder.state == Folder::State::listed) {
        --waiting_;
        folder.state = Folder::State::taken;
        listing = std::move(folder.listing);
        return std::move(folder.failure);
    }
    // Nobody listed it: the walk does, as it would without help. It stays
    // among the offered until a helper comes across it.
    folder.state = Folder::State::taken;
    const std::shared_ptr<const OpenFolder> parent = std::move(folder.parent);
    lock.unlock();
    return files_.listQuickly(folder.path, parent.get(), listing, memory_);
}

bool ListingAhead::listOne() {
    std::shared_ptr<Folder> folder;
    {
        const std::unique_lock lock = lockAwake(mutex_);
        if (waiting_ >= kMostWaiting) return false;
        while (!offered_.empty() && !folder) {
            if (offered_.back()->state == Folder::State::offered) folder = offered_.back();
            offered_.pop_back();
        }
        if (!folder) return false;
        folder->state = Folder::State::listing;
        ++waiting_;
    }
    FolderListing listing;
    Failure failure = files_.listQuickly(folder->path, folder->parent.get(), listing, memory_);
    const std::unique_lock lock = lockAwake(mutex_);
    folder->listing = std::move(listing);
    folder->failure = std::move(failure);
    folder->parent.reset();
    folder->state = Folder::State::listed;
    if (sleeping_ > 0) listed_.notify_all();
    return true;
}

void ListingAhead::clear() {
    std::vector<std::shared_ptr<Folder>> given;
    {
        const std::lock_guard lock(mutex_);
        given.swap(offered_);
        waiting_ = 0;
    }
    // Closed outside the lock. A listing in progress is closed by its helper
    // when the walk no longer holds its folder.
}

}  // namespace tessaly
