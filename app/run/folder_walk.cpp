#include "run/folder_walk.h"

#include <fnmatch.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/path_join.h"

namespace tessaly {

namespace {

// A folder whose files are done, with the subfolders still to walk. Only the
// names are kept, so memory grows with the depth, not with the tree; the
// folder stays open so that each subfolder is opened relative to it.
struct FolderInProgress {
    std::shared_ptr<const OpenFolder> handle;
    std::vector<std::string> subfolders;
    // The same subfolders offered to be listed ahead, when there is help.
    std::vector<std::shared_ptr<ListingAhead::Folder>> ahead;
    std::size_t next = 0;
};

enum class Visit { Entered, Skipped, Stopped };

// The first bytes of a name as a number that sorts as they do.
std::uint64_t leadingBytes(const std::string& name) {
    std::uint64_t key = 0;
    const std::size_t length = std::min<std::size_t>(name.size(), 8);
    for (std::size_t i = 0; i < length; ++i)
        key |= std::uint64_t{static_cast<unsigned char>(name[i])} << (56 - 8 * i);
    return key;
}

// The entries in byte order of their names. They stay where they are, which
// costs less than moving them; most names differ in their first eight bytes,
// which are compared as one number before the rest is.
std::vector<DirectoryEntry*> inNameOrder(std::vector<DirectoryEntry>& listed) {
    std::vector<std::pair<std::uint64_t, DirectoryEntry*>> keyed;
    keyed.reserve(listed.size());
    for (DirectoryEntry& entry : listed) keyed.emplace_back(leadingBytes(entry.name), &entry);
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return a.second->name < b.second->name;
    });
    std::vector<DirectoryEntry*> entries;
    entries.reserve(keyed.size());
    for (const auto& entry : keyed) entries.push_back(entry.second);
    return entries;
}

class Walk {
public:
    Walk(FileSystem& files, const WalkOptions& options, const WalkCallbacks& callbacks, ListingAhead* ahead)
        : files_(files), options_(options), callbacks_(callbacks), ahead_(ahead) {}

    ~Walk() {
        if (ahead_) ahead_->clear();
    }

    WalkResult run(const std::string& categoryFolder) {
        if (visit(categoryFolder, nullptr, true, nullptr) == Visit::Stopped) return result_;
        while (!open_.empty()) {
            FolderInProgress& current = open_.back();
            if (current.next == current.subfolders.size()) {
                open_.pop_back();
                continue;
            }
            // visit() may grow open_, so what it needs is taken before it runs.
            const std::shared_ptr<const OpenFolder> parent = current.handle;
            const std::shared_ptr<ListingAhead::Folder> listedAhead =
                current.ahead.empty() ? nullptr : current.ahead[current.next];
            const std::string subfolder = joinPath(parent->path(), current.subfolders[current.next++]);
            if (visit(subfolder, parent.get(), false, listedAhead.get()) == Visit::Stopped) return result_;
        }
        return result_;
    }

private:
    Visit visit(const std::string& folder, const OpenFolder* parent, bool categoryFolder,
                ListingAhead::Folder* listedAhead) {
        FolderListing listing;
        for (;;) {
            // A listing made ahead answers the first time; a retry lists again.
            Failure failure = listedAhead ? ahead_->take(*listedAhead, listing)
                                          : files_.listQuickly(folder, parent, listing, options_.memory);
            listedAhead = nullptr;
            if (!failure) break;
            const WalkFailure report{std::move(failure), categoryFolder};
            const FailureAnswer answer =
                callbacks_.failure ? callbacks_.failure(report) : runTableAnswer(report);
            if (answer == FailureAnswer::Retry) continue;
            if (answer == FailureAnswer::Skip) return Visit::Skipped;
            result_.failure = report.failure;
            return stop();
        }
        const std::vector<DirectoryEntry*> entries = inNameOrder(listing.entries);

        for (DirectoryEntry* listed : entries) {
            DirectoryEntry& entry = *listed;
            if (hiddenLeftOut(entry)) continue;
            if (entry.statusError != 0) {
                if (unexamined(folder, entry) == FailureAnswer::Stop) return stop();
                continue;
            }
            if (entry.kind == EntryKind::Other) {
                if (callbacks_.passedOver) callbacks_.passedOver(joinPath(folder, entry.name), entry.other);
                continue;
            }
            if (entry.kind != EntryKind::File) continue;
            if (callbacks_.file && callbacks_.file(listing.folder, entry) == WalkStep::Stop) return stop();
        }
        if (callbacks_.filesDone && callbacks_.filesDone(folder) == WalkStep::Stop) return stop();

        FolderInProgress opened{listing.folder, {}, {}, 0};
        if (options_.searchSubfolders) {
            for (DirectoryEntry* entry : entries) {
                if (entry->kind == EntryKind::Directory && !hiddenLeftOut(*entry) &&
                    !folderLeftOut(entry->name, options_.leftOutFolders)) {
                    opened.subfolders.push_back(std::move(entry->name));
                }
            }
        }
        if (opened.subfolders.empty()) return Visit::Entered;
        if (ahead_) opened.ahead = ahead_->offer(opened.handle, opened.subfolders);
        open_.push_back(std::move(opened));
        return Visit::Entered;
    }

    // An entry the listing named but could not examine: file or folder, it
    // is passed over, but never without a word to the caller.
    FailureAnswer unexamined(const std::string& folder, const DirectoryEntry& entry) {
        const WalkFailure report{failureFromErrno(entry.statusError, "examine", joinPath(folder, entry.name)),
                                 false};
        const FailureAnswer answer = callbacks_.failure ? callbacks_.failure(report) : runTableAnswer(report);
        if (answer == FailureAnswer::Stop) result_.failure = report.failure;
        return answer;
    }

    bool hiddenLeftOut(const DirectoryEntry& entry) const { return entry.hidden && !options_.hiddenIncluded; }

    Visit stop() {
        result_.stopped = true;
        return Visit::Stopped;
    }

    FileSystem& files_;
    const WalkOptions& options_;
    const WalkCallbacks& callbacks_;
    ListingAhead* ahead_;
    std::vector<FolderInProgress> open_;
    WalkResult result_;
};

}  // namespace

bool folderLeftOut(const std::string& name, const std::vector<std::string>& patterns) {
    for (const std::string& pattern : patterns)
        if (::fnmatch(pattern.c_str(), name.c_str(), 0) == 0) return true;
    return false;
}

FailureAnswer runTableAnswer(const WalkFailure& failure) {
    switch (failure.failure.code) {
    case code::invalidArgument:
    case code::permissionDenied:
    case code::pathFileAccessError:
    case code::fileNotFound:
        return FailureAnswer::Skip;
    case code::pathNotFound:
        return failure.categoryFolder ? FailureAnswer::Stop : FailureAnswer::Skip;
    default:
        return FailureAnswer::Stop;
    }
}

WalkResult walkCategoryFolder(FileSystem& files, const std::string& categoryFolder,
                              const WalkOptions& options, const WalkCallbacks& callbacks, ListingAhead* ahead) {
    return Walk(files, options, callbacks, ahead).run(categoryFolder);
}

}  // namespace tessaly
