// One search run, the same for the window and the command line: walks the
// folders in name order, filters the files, searches them on the workers and
// tells a sink what it found, what it passed over and how it ended.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "criteria/options.h"
#include "criteria/run_arguments.h"
#include "criteria/search_scope.h"
#include "platform/engine_loader.h"
#include "platform/file_system.h"
#include "run/date_window.h"
#include "run/file_filter.h"
#include "run/run_sink.h"

namespace tessaly {

class WordIndex;

struct RunPlan {
    std::vector<std::string> folders;  // as the Category lists them
    bool searchSubfolders = true;
    DateWindow dates;
    FileFilterOptions filters;
    // Which files the walk lists (hidden ones, left-out folders) and how each
    // is read. A file larger than scope.largestFileSize is passed over without
    // a word: by the walk when the listing told its size, otherwise by the
    // search of it, once the open file tells it. Binary files and documents
    // are the search's to tell apart, also once the file is open.
    SearchScope scope;
    RunArguments arguments;  // as the engine gets them: narrowed already for names only
    SearchWords words;
    bool nameAndText = true;  // Name and Text display; Name Only lists names alone
    int fileLimit = kFileLimit;
    int threads = 1;  // 1 searches on the calling thread
    // The words of files searched before: used when given, and the words of
    // the files read whole recorded in it when `recordWords`.
    WordIndex* index = nullptr;
    bool recordWords = true;
    // Every file read whole is recorded, however long the writing takes,
    // not only the share of the run's time recording is given.
    bool recordAllWords = false;
};

// What every run of these options does: the plan but for its folders and threads.
RunPlan planFromOptions(const Options& options, const SearchScope& scope, const SearchWords& words,
                        const RunArguments& arguments, const DateWindow& dates);

int defaultThreadCount();

class SearchRunner {
public:
    SearchRunner(FileSystem& files, const EngineCalls& engine, RunPlan plan);

    // Runs to the end on the calling thread.
    RunSummary run(RunSink& sink);
    // From any thread: the run presents every file already searched and ends.
    void requestStop() { stop_.store(true); }

private:
    FileSystem& files_;
    const EngineCalls& engine_;
    RunPlan plan_;
    std::atomic<bool> stop_{false};
};

}  // namespace tessaly
