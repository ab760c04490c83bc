// The search run behind Start: the checks, then the one runner both programs
// share, on a thread of its own, while the window goes on answering the
// person. What the run finds reaches the window in batches, at most ten
// times a second; the window's thread is never held by the run, and Stop,
// Main and closing the window work at any moment. Files may be searched
// ahead on worker threads, but they are presented in walk order, so what the
// window shows is what a one-thread run shows.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "criteria/options.h"
#include "criteria/run_arguments.h"
#include "run/date_window.h"
#include "run/run_sink.h"
#include "run/run_tally.h"

namespace tessaly {

class WordIndex;

class EngineAccess;
class MainWindow;
class ResultView;
class SearchRunner;
class WindowWordCheck;
struct EngineCalls;
struct Services;

class SearchRun : public QObject {
    Q_OBJECT

public:
    // `threads` searching ahead; 1 searches each file on the run's own thread.
    SearchRun(MainWindow& window, Services& services, WindowWordCheck& wordCheck,
              ResultView& results, EngineAccess& engine, int threads = defaultThreads());
    ~SearchRun() override;

    static int defaultThreads();

    // Start's click: checks, then sets the run going and returns.
    void start();
    // Stop's click: Main can be pressed at once; the run ends after the file in hand.
    void stop();
    bool running() const { return running_; }
    // The file limit of Name and Text display; tests make it small.
    void setFileLimit(int limit) { fileLimit_ = limit; }
    // The words of files searched before, used when the scope says so.
    void useWordIndex(WordIndex* index) { wordIndex_ = index; }
    // Runs `then` once the run in progress has ended (at once when none is).
    void whenIdle(std::function<void()> then);
    // The engine's arguments of the last run, which the single-file view and
    // the viewer search with too; kept from one run to the next.
    const RunArguments& arguments() const { return arguments_; }
    // A Category made current refreshes them, all but the nearby distance.
    void refreshArguments(const Options& options) { refreshRunArguments(arguments_, options); }
    // What the last run passed over, in walk order.
    const std::vector<PassedOver>& passedOver() const { return passedOver_; }

signals:
    // After each batch of entries has been shown.
    void entriesShown(int fileCount);
    void finished();

private:
    class Sink;

    bool readDates(const Options& options, DateWindow& dates);
    void prepare(bool nameAndText);
    std::vector<std::string> foldersToWalk() const;
    // Takes what the run's thread has gathered since the last time.
    void showGathered();
    // Hands the waiting entries to the pane and the tree, for `slice` at most.
    void showWaiting(std::optional<std::chrono::milliseconds> slice);
    // The run's own error table, asked on the window's thread: true for Retry.
    // `folder`, when given, is named on a line of its own after the message.
    bool askAboutError(int errorCode, std::string_view reason = {}, std::string_view folder = {});
    void runEnded(RunSummary summary);
    // Once the pane shows every entry of the run.
    void finishRun(const RunSummary& summary);
    void showPassedOver(const RunSummary& summary);

    MainWindow& window_;
    Services& services_;
    WindowWordCheck& wordCheck_;
    ResultView& results_;
    EngineAccess& engine_;
    int threads_;
    int fileLimit_ = kFileLimit;
    RunArguments arguments_;
    bool running_ = false;
    bool nameAndText_ = true;
    bool endProgram_ = false;  // Abort was answered: the program ends with the run
    std::vector<std::function<void()>> whenIdle_;
    WordIndex* wordIndex_ = nullptr;
    std::vector<PassedOver> passedOver_;
    std::deque<FoundFile> waitingFound_;
    std::optional<RunSummary> ended_;  // the run's thread is done; its end waits for the pane
    QTimer showingTimer_;
    std::unique_ptr<Sink> sink_;
    std::unique_ptr<SearchRunner> runner_;
    std::thread thread_;
    QTimer batchTimer_;
};

}  // namespace tessaly
