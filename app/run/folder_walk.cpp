#include "run/folder_walk.h"

#include <fnmatch.h>

#include <algorithm>
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
                                          : files_.listQuickly(folder, parent, listing);
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
        // In name order; the entries themselves stay where they are, which
        // costs less than moving them.
        std::vector<DirectoryEntry*> entries;
        entries.reserve(listing.entries.size());
        for (DirectoryEntry& entry : listing.entries) entries.push_back(&entry);
        std::sort(entries.begin(), entries.end(),
                  [](const DirectoryEntry* a, const DirectoryEntry* b) { return a->name < b->name; });

        for (const DirectoryEntry* listed : entries) {
            const DirectoryEntry& entry = *listed;
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
