// The search run behind Start: the checks, the walk over the Category's
// folders (or the direct-search folder), the engine call for every file that
// passes the filters, the entries and the tree, Stop, the two limits and the
// sentence that tells how the run ended. It runs inside Start's click and
// lets the window breathe after every file; files may be searched ahead on
// worker threads, but they are presented one by one in walk order, so what
// the window shows is what a one-thread run shows.
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "criteria/options.h"
#include "criteria/run_arguments.h"
#include "run/date_window.h"
#include "run/file_filter.h"
#include "run/folder_walk.h"
#include "run/run_tally.h"

namespace tessaly {

class EngineAccess;
class MainWindow;
class ResultView;
class SearchPipeline;
class WindowWordCheck;
struct Candidate;
struct SearchAnswer;
struct Services;

class SearchRun : public QObject {
    Q_OBJECT

public:
    // `threads` searching ahead; 1 searches each file on the window's thread.
    SearchRun(MainWindow& window, Services& services, WindowWordCheck& wordCheck,
              ResultView& results, EngineAccess& engine, int threads = defaultThreads());
    ~SearchRun() override;

    static int defaultThreads();

    // Start's click: returns when the run has ended.
    void start();
    // Stop's click: Main can be pressed at once; the run ends at its next check.
    void stop();
    bool running() const { return running_; }
    // The file limit of Name and Text display; tests make it small.
    void setFileLimit(int limit) { fileLimit_ = limit; }
    // Runs `then` once the run in progress has ended (at once when none is).
    void whenIdle(std::function<void()> then);

signals:
    void finished();

private:
    struct Run;

    bool readDates(Run& run);
    void prepare(Run& run);
    std::vector<std::string> foldersToWalk() const;
    WalkStep listed(Run& run, const std::string& folder, const DirectoryEntry& file);
    WalkStep folderDone(Run& run);
    FailureAnswer walkFailed(Run& run, const WalkFailure& failure);
    bool present(Run& run, const Candidate& file, const SearchAnswer& answer);
    bool ensurePipeline(Run& run);
    // The run's own error table: true for Retry.
    bool reportRunError(Run& run, int errorCode);
    // The file being looked at, shown at most every 50 ms.
    void showStatus(const std::string& path);
    void finish(Run& run);

    MainWindow& window_;
    Services& services_;
    WindowWordCheck& wordCheck_;
    ResultView& results_;
    EngineAccess& engine_;
    int threads_;
    int fileLimit_ = kFileLimit;
    bool running_ = false;
    std::vector<std::function<void()>> whenIdle_;
    std::chrono::steady_clock::time_point lastStatus_{};
};

}  // namespace tessaly
