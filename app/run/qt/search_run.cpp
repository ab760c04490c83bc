#include "run/qt/search_run.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <future>
#include <mutex>

#include "criteria/qt/option_controls.h"
#include "criteria/qt/scope_controls.h"
#include "criteria/qt/window_word_check.h"
#include "platform/engine_access.h"
#include "platform/qt/engine_report.h"
#include "platform/error_tables.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/lossless_text.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/thread_priority.h"
#include "run/qt/command_states.h"
#include "run/qt/date_time_text.h"
#include "run/qt/result_view.h"
#include "run/result_document.h"
#include "run/run_filters.h"
#include "run/search_runner.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

// A person reads ten changes a second at most; gathering for that long also
// keeps the window's work per entry small.
constexpr std::chrono::milliseconds kBatchInterval{100};
// A fast run may find this many entries within one interval: they go at once.
constexpr std::size_t kBatchEntries = 500;
// Entries are handed to the pane and the tree for this long at a time; the
// rest follow at the next turn of the event loop.
constexpr std::chrono::milliseconds kShowingSlice{4};
// The status line's tool tip names this many passed-over entries at most.
constexpr std::size_t kPassedOverNamed = 40;

QString countText(int count) {
    return QStringLiteral(" %1").arg(count);
}

}  // namespace

// Lives on the run's thread: gathers what the runner tells, under a lock
// held only to add or take, and lets the window take it in batches.
class SearchRun::Sink final : public RunSink {
public:
    explicit Sink(SearchRun& owner) : owner_(owner) {}

    struct Gathered {
        std::vector<FoundFile> found;
        std::vector<PassedOver> passedOver;
        std::optional<RunProgress> progress;
    };

    Gathered take() {
        std::lock_guard lock(mutex_);
        posted_ = false;
        return std::exchange(gathered_, {});
    }

    // The window is going away: nobody will answer a question any more.
    void abandon() { abandoned_.store(true); }

    void found(FoundFile file) override {
        std::unique_lock lock(mutex_);
        gathered_.found.push_back(std::move(file));
        if (gathered_.found.size() >= kBatchEntries) postLocked();
    }

    void passedOver(PassedOver entry) override {
        std::lock_guard lock(mutex_);
        gathered_.passedOver.push_back(std::move(entry));
    }

    void progress(const RunProgress& progress) override {
        std::lock_guard lock(mutex_);
        gathered_.progress = progress;
    }

    FailureAnswer folderFailed(const WalkFailure& failure) override {
        auto answer = std::make_shared<std::promise<bool>>();
        std::future<bool> retry = answer->get_future();
        const int errorCode = failure.failure.code;
        QMetaObject::invokeMethod(
            &owner_,
            [this, answer, errorCode, folder = failure.failure.path] {
                // What was found before the failure is shown before the question.
                owner_.showGathered();
                owner_.showWaiting(std::nullopt);
                answer->set_value(owner_.askAboutError(errorCode, {}, folder));
            },
            Qt::QueuedConnection);
        while (retry.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
            if (abandoned_.load()) return FailureAnswer::Stop;
        return retry.get() ? FailureAnswer::Retry : FailureAnswer::Stop;
    }

    void tooManyFiles() override { tooManyFiles_.store(true); }
    bool tooManyFilesFound() const { return tooManyFiles_.load(); }

private:
    void postLocked() {
        if (posted_) return;
        posted_ = true;
        QMetaObject::invokeMethod(&owner_, [this] { owner_.showGathered(); }, Qt::QueuedConnection);
    }

    SearchRun& owner_;
    std::mutex mutex_;
    Gathered gathered_;
    bool posted_ = false;
    std::atomic<bool> abandoned_{false};
    std::atomic<bool> tooManyFiles_{false};
};

SearchRun::SearchRun(MainWindow& window, Services& services, WindowWordCheck& wordCheck,
                     ResultView& results, EngineAccess& engine, int threads)
    : window_(window),
      services_(services),
      wordCheck_(wordCheck),
      results_(results),
      engine_(engine),
      threads_(std::max(1, threads)) {
    connect(window_.commands().searchNow, &QPushButton::clicked, this, &SearchRun::start);
    connect(window_.commands().searchStop, &QPushButton::clicked, this, &SearchRun::stop);
    batchTimer_.setInterval(kBatchInterval);
    connect(&batchTimer_, &QTimer::timeout, this, &SearchRun::showGathered);
    showingTimer_.setSingleShot(true);
    connect(&showingTimer_, &QTimer::timeout, this, [this] { showWaiting(kShowingSlice); });
}

SearchRun::~SearchRun() {
    if (!thread_.joinable()) return;
    sink_->abandon();
    runner_->requestStop();
    thread_.join();
}

int SearchRun::defaultThreads() {
    return defaultThreadCount();
}

void SearchRun::stop() {
    window_.commands().searchConfig->setEnabled(true);
    if (runner_) runner_->requestStop();
}

void SearchRun::whenIdle(std::function<void()> then) {
    if (!running_) {
        then();
        return;
    }
    whenIdle_.push_back(std::move(then));
}

void SearchRun::start() {
    if (running_) return;
    if (!wordCheck_.checkBeforeStart()) return;

    MainWindow& w = window_;
    const std::vector<std::string> folders = foldersToWalk();
    if (folders.empty()) {
        // A run over nothing would say "Search has completed!" with no file
        // found, as if the words were nowhere.
        services_.boxes.show(
            QStringLiteral("There is no folder to search. Choose a Category, make one with the Group "
                           "button, or tick Direct Search and open a folder."),
            QStringLiteral("Nothing to Search"), MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    const Options options = readOptions(w);
    DateWindow dates;
    if (!readDates(options, dates)) return;

    running_ = true;
    nameAndText_ = options.display != Display::namesOnly;
    endProgram_ = false;
    passedOver_.clear();
    enterRunState(w);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    const SearchWords words = readSearchWords(w);
    arguments_ = runArgumentsFrom(options, words, arguments_);
    prepare(nameAndText_);

    const EngineCalls* engine = engineOrReport(engine_, services_.boxes, services_.end);
    if (!engine) {
        runEnded(RunSummary{});
        return;
    }
    // In Name Only display a file only has to match: the kept arguments say so too.
    narrowForNameOnly(arguments_, options);
    RunPlan plan = planFromOptions(options, readScope(w), words, arguments_, dates);
    plan.folders = folders;
    plan.threads = threads_;
    plan.fileLimit = fileLimit_;
    if (plan.scope.rememberWords) plan.index = wordIndex_;

    sink_ = std::make_unique<Sink>(*this);
    runner_ = std::make_unique<SearchRunner>(services_.files, *engine, std::move(plan));
    batchTimer_.start();
    thread_ = std::thread([this] {
        // The workers the run starts share this thread's lower priority.
        yieldToInteractiveThreads();
        RunSummary summary = runner_->run(*sink_);
        QMetaObject::invokeMethod(this, [this, summary] { runEnded(summary); }, Qt::QueuedConnection);
    });
}

bool SearchRun::readDates(const Options& options, DateWindow& dates) {
    const Failure failure = computeDateWindow(dateWindowOptions(options), localDate(std::time(nullptr)), dates);
    if (!failure) return true;
    // Only a damaged settings file gives dates the calendars cannot.
    services_.boxes.show(
        QStringLiteral("The dates of the Time Stamp option cannot be read (%1 - %2). "
                       "Pick them again in the options.")
            .arg(textFromBytes(options.dateFrom), textFromBytes(options.dateTo)),
        QStringLiteral("Time Stamp"), MessageIcon::CriticalStop, MessageButtons::Ok);
    return false;
}

void SearchRun::prepare(bool nameAndText) {
    MainWindow& w = window_;
    results_.begin();
    results_.setRunInProgress(true);
    w.status().totalNumber->setText(countText(0));
    w.status().dispFile->clear();
    w.status().dispFile->setToolTip({});
    if (!nameAndText) results_.showAllFilesTab();
}

std::vector<std::string> SearchRun::foldersToWalk() const {
    if (window_.criteria().chkQSearch->isChecked()) return {window_.criteria().qDirList->path()};
    std::vector<std::string> folders;
    for (int row = 0; row < window_.criteria().listCategory->count(); ++row)
        folders.push_back(bytesFromText(window_.criteria().listCategory->item(row)->text()));
    return folders;
}

void SearchRun::showGathered() {
    if (sink_) {
        Sink::Gathered gathered = sink_->take();
        std::move(gathered.found.begin(), gathered.found.end(), std::back_inserter(waitingFound_));
        std::move(gathered.passedOver.begin(), gathered.passedOver.end(), std::back_inserter(passedOver_));
        if (gathered.progress && running_) window_.status().dispFile->setText(textFromBytes(gathered.progress->file));
    }
    showWaiting(kShowingSlice);
}

void SearchRun::showWaiting(std::optional<std::chrono::milliseconds> slice) {
    const auto start = std::chrono::steady_clock::now();
    int lastNumber = 0;
    while (!waitingFound_.empty()) {
        FoundFile& file = waitingFound_.front();
        FileEntry entry;
        entry.fileCount = file.number;
        entry.heading = headingText(file.path, dateTimeText(file.modified));
        entry.lines = file.lines;
        entry.nameAndText = nameAndText_;
        entry.tooManyHits = file.tooManyHits;
        results_.addEntry(entry, file.path);
        if (nameAndText_) results_.addToTree(std::move(file.path), file.categoryFolder, file.number);
        lastNumber = file.number;
        waitingFound_.pop_front();
        if (slice && std::chrono::steady_clock::now() - start >= *slice) break;
    }
    if (lastNumber > 0) {
        window_.status().totalNumber->setText(countText(lastNumber));
        emit entriesShown(lastNumber);
    }
    if (!waitingFound_.empty()) {
        showingTimer_.start(0);
        return;
    }
    showingTimer_.stop();
    if (!ended_) return;
    // The run is over and every entry is handed to the pane: the end is
    // shown once the pane holds them all.
    results_.whenAllShown([run = QPointer<SearchRun>(this), summary = *std::exchange(ended_, std::nullopt)] {
        if (run) run->finishRun(summary);
    });
}

bool SearchRun::askAboutError(int errorCode, std::string_view reason, std::string_view folder) {
    const RunErrorRule rule = runErrorRule(errorCode);
    if (rule.action != RunErrorAction::Report) return false;
    const std::string text = reason.empty() ? std::string(rule.text) : std::string(rule.text) + " " + std::string(reason);
    std::string message = operationErrorMessage(text, errorCode);
    if (!folder.empty()) message += "\n" + std::string(folder);
    const MessageAnswer answer =
        services_.boxes.show(textFromBytes(message), textFromBytes(kOperationErrorTitle),
                             MessageIcon::CriticalStop, MessageButtons::AbortRetryIgnore);
    if (answer == MessageAnswer::Retry) return true;
    if (answer != MessageAnswer::Ignore) endProgram_ = true;
    return false;
}

void SearchRun::runEnded(RunSummary summary) {
    if (thread_.joinable()) thread_.join();
    batchTimer_.stop();
    ended_ = summary;
    showGathered();
}

void SearchRun::finishRun(const RunSummary& summary) {
    MainWindow& w = window_;
    if (sink_ && sink_->tooManyFilesFound()) {
        services_.boxes.show(textFromBytes(kTooManyFilesMessage), textFromBytes(kTooManyFilesTitle),
                             MessageIcon::CriticalStop, MessageButtons::Ok);
    }
    results_.setRunInProgress(false);
    w.results().outlineFile->resizeColumnToContents(0);
    showPassedOver(summary);
    w.results().MainResult->setFocus();
    w.results().MainResult->setCaretOffset(0);
    enterFinishedState(w);
    QApplication::restoreOverrideCursor();
    runner_.reset();
    sink_.reset();
    running_ = false;
    emit finished();
    if (endProgram_) services_.end.endNow();
    std::vector<std::function<void()>> waiting;
    waiting.swap(whenIdle_);
    for (auto& then : waiting) then();
}

// The sentence the run has always ended with, and after it how many entries
// were passed over; the tool tip names them.
void SearchRun::showPassedOver(const RunSummary& summary) {
    QString status = textFromBytes(statusSentence(summary.end));
    if (!passedOver_.empty()) {
        status += QStringLiteral("   (%1 passed over)").arg(passedOver_.size());
        QStringList names;
        for (std::size_t i = 0; i < passedOver_.size() && i < kPassedOverNamed; ++i)
            names << textFromBytes(passedOver_[i].path) + QStringLiteral(": ") +
                         textFromBytes(passedOver_[i].reason);
        if (passedOver_.size() > kPassedOverNamed)
            names << QStringLiteral("and %1 more").arg(passedOver_.size() - kPassedOverNamed);
        window_.status().dispFile->setToolTip(names.join(QLatin1Char('\n')));
    }
    if (summary.ruledOut > 0)
        status += QStringLiteral("   (%1 ruled out by remembered words)").arg(summary.ruledOut);
    window_.status().dispFile->setText(status);
    if (!summary.indexNotice.empty())
        services_.boxes.show(textFromBytes(summary.indexNotice), QStringLiteral("Tessaly"), MessageIcon::Information,
                             MessageButtons::Ok);
}

}  // namespace tessaly
