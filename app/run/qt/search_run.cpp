#include "run/qt/search_run.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <thread>

#include "criteria/qt/option_controls.h"
#include "criteria/qt/window_word_check.h"
#include "platform/engine_access.h"
#include "platform/error_tables.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/lossless_text.h"
#include "platform/qt/rich_text_box.h"
#include "run/qt/command_states.h"
#include "run/qt/date_time_text.h"
#include "run/qt/result_view.h"
#include "run/result_document.h"
#include "run/run_filters.h"
#include "run/search_pipeline.h"
#include "shell/qt/main_window.h"
#include "shell/qt/services.h"

namespace tessaly {

namespace {

// The status line is read by a person: ten times a second is plenty, and
// painting it for every file of a fast run would cost more than the search.
constexpr std::chrono::milliseconds kStatusInterval{50};

QString countText(int count) {
    return QStringLiteral(" %1").arg(count);
}

}  // namespace

struct SearchRun::Run {
    Run(bool nameAndTextDisplay, int fileLimit)
        : tally(nameAndTextDisplay, fileLimit), nameAndText(nameAndTextDisplay) {}

    Options options;
    SearchWords words;
    DateWindow dates;
    FileFilterOptions filters;
    RunTally tally;
    bool nameAndText;
    int categoryFolder = 0;
    const EngineCalls* engine = nullptr;
    std::unique_ptr<SearchPipeline> pipeline;
    bool ended = false;  // Ignore or Abort in an error report, or the file limit
};

SearchRun::SearchRun(MainWindow& window, Services& services, WindowWordCheck& wordCheck,
                     ResultView& results, EngineAccess& engine, int threads)
    : window_(window),
      services_(services),
      wordCheck_(wordCheck),
      results_(results),
      engine_(engine),
      threads_(std::max(1, threads)) {
    connect(window_.searchNow, &QPushButton::clicked, this, &SearchRun::start);
    connect(window_.searchStop, &QPushButton::clicked, this, &SearchRun::stop);
}

SearchRun::~SearchRun() = default;

int SearchRun::defaultThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

void SearchRun::stop() {
    window_.searchConfig->setEnabled(true);
    window_.state.stopRequest = true;
}

void SearchRun::whenIdle(std::function<void()> then) {
    if (!running_) {
        then();
        return;
    }
    whenIdle_.push_back(std::move(then));
}

void SearchRun::start() {
    // Main, then Start, while a stopped run still waits for its next check
    // would start a second run inside the first.
    if (running_) return;
    if (!wordCheck_.checkBeforeStart()) return;

    MainWindow& w = window_;
    const Options options = readOptions(w);
    Run run(options.display != Display::DispName, fileLimit_);
    run.options = options;
    if (!readDates(run)) return;

    running_ = true;
    enterRunState(w);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    w.repaint();

    run.words = readSearchWords(w);
    w.state.runArguments = runArgumentsFrom(options, run.words, w.state.runArguments);
    run.filters = fileFilterOptions(options);
    prepare(run);

    const std::vector<std::string> folders = foldersToWalk();
    WalkOptions walkOptions;
    walkOptions.searchSub = options.searchSub;
    WalkCallbacks callbacks;
    callbacks.file = [&](const std::string& folder, const DirectoryEntry& file) {
        return listed(run, folder, file);
    };
    callbacks.filesDone = [&](const std::string&) { return folderDone(run); };
    callbacks.failure = [&](const WalkFailure& failure) { return walkFailed(run, failure); };
    for (std::size_t i = 0; i < folders.size() && !run.ended && !run.tally.finished(); ++i) {
        run.categoryFolder = static_cast<int>(i) + 1;
        const WalkResult walked =
            walkCategoryFolder(services_.files, folders[i], walkOptions, callbacks);
        if (walked.stopped) break;
    }
    // The answers still owed, unless the run already ended.
    if (run.pipeline && !run.ended && !run.tally.finished()) run.pipeline->finish();
    finish(run);
}

bool SearchRun::readDates(Run& run) {
    const Failure failure =
        computeDateWindow(dateWindowOptions(run.options), localDate(std::time(nullptr)), run.dates);
    if (!failure) return true;
    // Only a damaged settings file gives dates the calendars cannot.
    services_.boxes.show(
        QStringLiteral("The dates of the Time Stamp option cannot be read (%1 - %2). "
                       "Pick them again in the options.")
            .arg(textFromBytes(run.options.dateFrom), textFromBytes(run.options.dateTo)),
        QStringLiteral("Time Stamp"), MessageIcon::CriticalStop, MessageButtons::Ok);
    return false;
}

void SearchRun::prepare(Run& run) {
    MainWindow& w = window_;
    results_.begin();
    w.state.stopRequest = false;
    w.state.runFinished = false;
    w.totalNumber->setText(countText(0));
    w.dispFile->clear();
    if (w.state.clearResults) {
        results_.clearTreeAndFileView();
        w.state.clearResults = false;
    }
    if (!run.nameAndText) results_.showAllFilesTab();
}

std::vector<std::string> SearchRun::foldersToWalk() const {
    if (window_.chkQSearch->isChecked()) return {window_.qDirList->path()};
    std::vector<std::string> folders;
    for (int row = 0; row < window_.listCategory->count(); ++row)
        folders.push_back(bytesFromText(window_.listCategory->item(row)->text()));
    return folders;
}

WalkStep SearchRun::listed(Run& run, const std::string& folder, const DirectoryEntry& file) {
    const FileVerdict verdict = filterFile(folder, file, run.dates, run.filters);
    showStatus(verdict.path);
    services_.pump.processEvents();
    // An empty file never reaches the engine and never matches.
    if (!verdict.searched || file.size == 0) return WalkStep::Continue;
    if (!ensurePipeline(run)) return WalkStep::Stop;
    Candidate candidate{verdict.path, file.size, file.modified, run.categoryFolder,
                        file.readableByAll};
    return run.pipeline->submit(std::move(candidate)) ? WalkStep::Continue : WalkStep::Stop;
}

WalkStep SearchRun::folderDone(Run& run) {
    if (run.ended || run.tally.finished()) return WalkStep::Stop;
    if (!window_.state.stopRequest) return WalkStep::Continue;
    // A one-thread run would present the file in hand before it saw the
    // request: so does this one, and no further.
    if (run.pipeline) run.pipeline->finish();
    run.tally.stop();
    window_.state.stopRequest = false;
    return WalkStep::Stop;
}

FailureAnswer SearchRun::walkFailed(Run& run, const WalkFailure& failure) {
    if (runTableAnswer(failure) == FailureAnswer::Skip) return FailureAnswer::Skip;
    if (reportRunError(run, failure.failure.code)) return FailureAnswer::Retry;
    return FailureAnswer::Stop;
}

bool SearchRun::ensurePipeline(Run& run) {
    if (run.pipeline) return true;
    for (;;) {
        Failure failure;
        run.engine = engine_.engine(failure);
        if (run.engine) break;
        if (!reportRunError(run, failure.code)) return false;
    }
    // In Name Only display a file only has to match: the kept arguments say so too.
    narrowForNameOnly(window_.state.runArguments, run.options);
    run.pipeline = std::make_unique<SearchPipeline>(
        *run.engine, window_.state.runArguments, run.words, threads_,
        [this, &run](const Candidate& file, const SearchAnswer& answer) {
            return present(run, file, answer);
        });
    return true;
}

bool SearchRun::present(Run& run, const Candidate& file, const SearchAnswer& answer) {
    MainWindow& w = window_;
    const RunTally::Answer counted = run.tally.add(answer.length);
    if (counted.limitReached) {
        services_.boxes.show(textFromBytes(kTooManyFilesMessage),
                             textFromBytes(kTooManyFilesTitle),
                             MessageIcon::CriticalStop, MessageButtons::Ok);
        return false;
    }
    if (counted.matched) {
        w.totalNumber->setText(countText(run.tally.fileCount()));
        FileEntry entry;
        entry.fileCount = counted.fileCount;
        entry.heading = headingText(file.path, dateTimeText(file.modified));
        entry.lines = answer.lines;
        entry.nameAndText = run.nameAndText;
        entry.tooManyHits = counted.tooManyHits;
        results_.addEntry(entry);
        if (run.nameAndText) results_.addToTree(file.path, file.categoryFolder, counted.fileCount);
    }
    services_.pump.processEvents();
    if (w.state.stopRequest) {
        run.tally.stop();
        w.state.runFinished = true;
        w.state.stopRequest = false;
        return false;
    }
    return true;
}

bool SearchRun::reportRunError(Run& run, int errorCode) {
    const RunErrorRule rule = runErrorRule(errorCode);
    if (rule.action != RunErrorAction::Report) {
        run.ended = true;
        return false;
    }
    const std::string message = operationErrorMessage(rule.text, errorCode);
    const MessageAnswer answer =
        services_.boxes.show(textFromBytes(message), textFromBytes(kOperationErrorTitle),
                             MessageIcon::CriticalStop, MessageButtons::AbortRetryIgnore);
    if (answer == MessageAnswer::Retry) return true;
    run.ended = true;
    if (answer != MessageAnswer::Ignore) services_.end.endNow();
    return false;
}

void SearchRun::showStatus(const std::string& path) {
    const auto time = std::chrono::steady_clock::now();
    if (time - lastStatus_ < kStatusInterval) return;
    lastStatus_ = time;
    window_.dispFile->setText(textFromBytes(path));
}

void SearchRun::finish(Run& run) {
    MainWindow& w = window_;
    results_.flushEntries();
    w.outlineFile->resizeColumnToContents(0);
    window_.dispFile->setText(textFromBytes(statusSentence(run.tally.end())));
    w.MainResult->setFocus();
    w.MainResult->setCaretOffset(0);
    enterFinishedState(w);
    w.state.runFinished = true;
    w.state.stopRequest = false;
    QApplication::restoreOverrideCursor();
    running_ = false;
    emit finished();
    std::vector<std::function<void()>> waiting;
    waiting.swap(whenIdle_);
    for (auto& then : waiting) then();
}

}  // namespace tessaly
