#include "run/search_runner.h"

#include "run/run_index.h"

#include <sys/resource.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>

#include "platform/path_join.h"
#include "run/run_filters.h"
#include "run/search_pipeline.h"

namespace tessaly {

namespace {

// Progress is read by a person: ten times a second is plenty.
constexpr std::chrono::milliseconds kProgressInterval{100};

// The files waiting to be searched keep their folders open; a low soft limit
// on descriptors is raised towards the hard one, as far as the system lets.
void allowOpenFolders() {
    constexpr rlim_t kWanted = 8192;
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= kWanted) return;
    limit.rlim_cur = limit.rlim_max == RLIM_INFINITY ? kWanted : std::min(kWanted, limit.rlim_max);
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

std::string reasonOf(const Failure& failure) {
    if (failure.systemError != 0) return std::strerror(failure.systemError);
    return failure.describe();
}

// The run's state while it walks: every callback of the walk and the
// pipeline's consumer lands here, on the thread that called run().
class Run {
public:
    Run(FileSystem& files, const EngineCalls& engine, const RunPlan& plan, RunSink& sink,
        const std::atomic<bool>& stop)
        : files_(files),
          plan_(plan),
          sink_(sink),
          stop_(stop),
          tally_(plan.nameAndText, plan.fileLimit),
          index_(plan.index ? std::make_unique<RunIndex>(*plan.index, engine, plan.words, plan.arguments,
                                                          plan.scope, plan.recordWords, plan.recordAllWords)
                            : nullptr),
          pipeline_(files, engine, plan.arguments, plan.words, plan.scope, plan.threads,
                    [this](const FileToSearch& file, FileAnswer& answer) { return present(file, answer); },
                    stop, index_.get(), &ahead_) {}

    RunSummary run() {
        WalkOptions options;
        options.searchSubfolders = plan_.searchSubfolders;
        options.hiddenIncluded = plan_.scope.hiddenIncluded;
        options.leftOutFolders = plan_.scope.leftOutFolders;
        options.memory = index_.get();
        WalkCallbacks callbacks;
        callbacks.file = [this](const std::shared_ptr<const OpenFolder>& folder, DirectoryEntry& file) {
            return listed(folder, file);
        };
        callbacks.filesDone = [this](const std::string&) { return folderDone(); };
        callbacks.failure = [this](const WalkFailure& failure) { return walkFailed(failure); };
        callbacks.passedOver = [this](const std::string& path, OtherKind kind) {
            passOverInTurn(path, std::string(otherKindReason(kind)), false);
        };
        bool stopped = false;
        for (std::size_t i = 0; i < plan_.folders.size() && !stopped; ++i) {
            categoryFolder_ = static_cast<int>(i) + 1;
            if (isNamedFile(plan_.folders[i])) {
                stopped = !searchNamedFile(plan_.folders[i]);
                continue;
            }
            if (index_) index_->enterCategoryFolder(plan_.folders[i]);
            stopped = walkCategoryFolder(files_, plan_.folders[i], options, callbacks,
                                         plan_.threads > 1 ? &ahead_ : nullptr)
                          .stopped;
        }
        // What was handed to the workers before the walk ended is presented,
        // however it ended; after Stop, the files they had not begun are not.
        pipeline_.finish();
        if (index_) {
            summary_.ruledOut = index_->ruledOut();
            summary_.indexNotice = index_->finish();
        }
        if (stop_.load()) tally_.stop();
        summary_.end = tally_.end();
        // Ended at a folder it could not walk: what was not searched must
        // not pass for a search that found nothing there.
        if (summary_.failure && summary_.end == RunEnd::Completed) summary_.end = RunEnd::Incomplete;
        summary_.found = tally_.fileCount();
        return summary_;
    }

private:
    WalkStep listed(const std::shared_ptr<const OpenFolder>& folder, DirectoryEntry& listedFile) {
        if (stop_.load(std::memory_order_relaxed)) return WalkStep::Stop;
        ++summary_.listed;
        const DirectoryEntry* file = &listedFile;
        DirectoryEntry examined;
        // Only the date window needs more than the listing tells.
        if (plan_.dates.kind != DateWindow::Kind::None && !listedFile.examined) {
            examined = listedFile;
            if (Failure failure = files_.examine(*folder, examined))
                return passOverInTurn(failure.path, reasonOf(failure), true);
            file = &examined;
        }
        showProgress(*folder, file->name);
        if (!fileAdmitted(*file, plan_.dates, plan_.filters) ||
            !listedSizeAdmits(*file, plan_.scope.largestFileSize))
            return WalkStep::Continue;
        FileToSearch toSearch;
        toSearch.folder = folder;
        // The walk is done with the listed name.
        toSearch.name = std::move(file == &listedFile ? listedFile.name : examined.name);
        toSearch.categoryFolder = categoryFolder_;
        return pipeline_.submit(std::move(toSearch)) ? WalkStep::Continue : WalkStep::Stop;
    }

    bool isNamedFile(const std::string& path) {
        DirectoryEntry entry;
        return !files_.status(path, entry) && entry.kind == EntryKind::File;
    }

    // A file named where a folder could stand is searched as asked, whatever
    // its name or date: as grep and ripgrep do with the files they are given.
    bool searchNamedFile(const std::string& path) {
        ++summary_.listed;
        FileToSearch toSearch;
        toSearch.name = path;
        toSearch.categoryFolder = categoryFolder_;
        return pipeline_.submit(std::move(toSearch));
    }

    WalkStep folderDone() {
        if (tally_.finished()) return WalkStep::Stop;
        if (stop_.load()) return WalkStep::Stop;
        // A folder that lists slowly (a network share) must not hold back
        // the answers of the files before it.
        const auto now = std::chrono::steady_clock::now();
        if (now - lastFlush_ >= kProgressInterval) {
            lastFlush_ = now;
            pipeline_.flush();
        }
        return WalkStep::Continue;
    }

    FailureAnswer walkFailed(const WalkFailure& failure) {
        if (runTableAnswer(failure) == FailureAnswer::Skip) {
            return passOverInTurn(failure.failure.path, reasonOf(failure.failure), true) == WalkStep::Stop
                       ? FailureAnswer::Stop
                       : FailureAnswer::Skip;
        }
        // What was found before the failure is told before it is asked about;
        // the index's snapshot is not held while a person decides.
        pipeline_.finish();
        if (index_) index_->endReading();
        if (sink_.folderFailed(failure) == FailureAnswer::Retry) return FailureAnswer::Retry;
        summary_.failure = failure.failure;
        return FailureAnswer::Stop;
    }

    // Every file searched before Stop is presented; the first one not searched ends the run.
    bool present(const FileToSearch& file, FileAnswer& answer) {
        if (!answer.searched) return false;
        if (!file.passOverReason.empty()) {
            passOver(file.path(), file.passOverReason, file.passOverFailed);
        } else if (answer.failure) {
            passOver(answer.failure.path, reasonOf(answer.failure), true);
        } else if (!answer.problem.empty()) {
            passOver(file.path(), answer.problem, true);
        } else if (answer.leftOut) {
            // Left out by the person's own choice, as a filtered file is.
        } else {
            ++summary_.searched;
            const RunTally::Answer counted = tally_.add(answer.answer.length);
            if (counted.limitReached) {
                sink_.tooManyFiles();
                return false;
            }
            if (counted.matched) {
                FoundFile found;
                found.number = counted.fileCount;
                found.path = file.path();
                found.modified = answer.modified;
                found.categoryFolder = file.categoryFolder;
                if (plan_.nameAndText) found.lines = std::move(answer.answer.lines);
                found.tooManyHits = counted.tooManyHits;
                sink_.found(std::move(found));
            }
        }
        return true;
    }

    // Behind the files already handed to the workers, not ahead of them.
    WalkStep passOverInTurn(const std::string& path, std::string reason, bool failed) {
        FileToSearch entry;
        entry.name = path;
        entry.categoryFolder = categoryFolder_;
        entry.passOverReason = std::move(reason);
        entry.passOverFailed = failed;
        return pipeline_.submit(std::move(entry)) ? WalkStep::Continue : WalkStep::Stop;
    }

    void passOver(const std::string& path, std::string reason, bool failed) {
        ++summary_.passedOver;
        sink_.passedOver(PassedOver{path, std::move(reason), failed});
    }

    // The path is made only when it is shown: the walk lists every file. So
    // is the clock read, and the coarse one, good to a few milliseconds,
    // costs a fraction of the precise one.
    void showProgress(const OpenFolder& folder, const std::string& name) {
        timespec coarse{};
        ::clock_gettime(CLOCK_MONOTONIC_COARSE, &coarse);
        const auto now = std::chrono::seconds(coarse.tv_sec) + std::chrono::nanoseconds(coarse.tv_nsec);
        if (now - lastProgress_ < kProgressInterval) return;
        lastProgress_ = now;
        sink_.progress(
            RunProgress{summary_.listed, summary_.searched, tally_.fileCount(), joinPath(folder.path(), name)});
    }

    FileSystem& files_;
    const RunPlan& plan_;
    RunSink& sink_;
    const std::atomic<bool>& stop_;
    RunTally tally_;
    RunSummary summary_;
    int categoryFolder_ = 0;
    std::chrono::nanoseconds lastProgress_{};  // on the coarse monotonic clock
    std::chrono::steady_clock::time_point lastFlush_{};
    std::unique_ptr<RunIndex> index_;
    ListingAhead ahead_{files_, index_.get()};
    SearchPipeline pipeline_;  // last: its workers go before the state they report to
};

}  // namespace

RunPlan planFromOptions(const Options& options, const SearchScope& scope, const SearchWords& words,
                        const RunArguments& arguments, const DateWindow& dates) {
    RunPlan plan;
    plan.searchSubfolders = options.searchSubfolders;
    plan.scope = scope;
    plan.dates = dates;
    plan.filters = fileFilterOptions(options);
    plan.arguments = arguments;
    narrowForNameOnly(plan.arguments, options);
    plan.words = words;
    plan.nameAndText = options.display != Display::namesOnly;
    return plan;
}

int defaultThreadCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

SearchRunner::SearchRunner(FileSystem& files, const EngineCalls& engine, RunPlan plan)
    : files_(files), engine_(engine), plan_(std::move(plan)) {}

RunSummary SearchRunner::run(RunSink& sink) {
    allowOpenFolders();
    return Run(files_, engine_, plan_, sink, stop_).run();
}

}  // namespace tessaly
