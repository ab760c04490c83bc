// What a folder's listing was, kept by someone who can tell when it still
// holds. A folder that has not changed since it was listed has the same
// names: every entry made, removed or renamed in it moves its modification
// and change times. So its names can be taken from memory instead of from
// the system, which for a tree of many small folders is a large part of a
// walk.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tessaly {

// The names of a folder's entries as the system listed them: for each, one
// byte of its type as the listing gave it (a dirent d_type), then the name,
// then a NUL. (Names hold neither NUL nor '/'.)
using RawListing = std::string;

// What the memory knows of a folder about to be listed.
struct Recalled {
    // Its raw listing, when it is known and provably still its listing.
    std::optional<RawListing> listing;
    // Whatever else the memory found: held with the open folder, for its
    // own use when the folder's files come back to it (OpenFolder::note()).
    std::shared_ptr<void> note;
};

class ListingMemory {
public:
    virtual ~ListingMemory() = default;
    // What is known of the folder, standing as `status` shows it now. From
    // any thread.
    virtual Recalled recall(const std::string& folder, const struct stat& status) = 0;
    // The folder's raw listing, made from `listedAt` (wall clock,
    // nanoseconds) on, when it stood as `status` showed it just before.
    // From any thread.
    virtual void remember(const std::string& folder, const struct stat& status, std::int64_t listedAt,
                          RawListing listing) = 0;
};

}  // namespace tessaly
