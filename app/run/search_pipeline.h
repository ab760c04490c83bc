// Hands the files a run will search to the engine, several at once when asked,
// and gives the answers back strictly in the order the files came: whatever
// the number of threads, the run sees the same sequence.
//
// Files wait in a ring. The walking thread fills it and hands answers on
// from its front; workers, and the walking thread itself while the ring is
// full, claim files by an atomic index. Nobody takes a lock for a file: a
// thread sleeps only when it has nothing to do, and is woken for a batch of
// files, not for each one.
#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "criteria/options.h"
#include "criteria/run_arguments.h"
#include "platform/engine_loader.h"
#include "platform/file_system.h"
#include "run/file_content.h"
#include "run/listing_ahead.h"
#include "run/run_index.h"

namespace tessaly {


// A file searched by its path, as the viewer and the single-file view do.
struct Candidate {
    std::string path;
    std::uint64_t size = 0;
    std::time_t modified = 0;
    int categoryFolder = 0;
    bool readableByAll = false;
};

// One file searched by its path as the scope reads it; a file that cannot be
// opened has no answer. `stop`, when given and set, ends a document's reading.
SearchAnswer searchFile(const EngineCalls& engine, const Candidate& candidate, const RunArguments& arguments,
                        const SearchWords& words, const SearchScope& scope,
                        const std::atomic<bool>* stop = nullptr);

// A listed file of a run, opened relative to its folder when it is searched.
// An entry the walk passes over travels the same way, unsearched, so that
// it is told in its place among the files around it.
struct FileToSearch {
    std::shared_ptr<const OpenFolder> folder;
    std::string name;  // with no folder, the whole path
    int categoryFolder = 0;
    std::string passOverReason;  // not empty: not a file to search
    bool passOverFailed = false;
    // The folder as the word index knows it, when a run uses the index: set
    // by the pipeline.
    std::shared_ptr<RunIndex::Folder> indexed;
    std::string path() const;
};

struct FileAnswer {
    SearchAnswer answer;
    std::time_t modified = 0;  // of a file with a result, read from the open file
    Failure failure;           // why it could not be opened
    bool leftOut = false;      // not searched, by the scope's choice
    std::string problem;       // a document whose text could not be read, and why
    bool searched = false;     // false for a file the run stopped before
    bool ruledOut = false;     // searched by the word index's proof alone
};

class SearchPipeline {
public:
    // Called on the submitting thread, in submission order. Returns false to
    // end the run: no further answers are delivered.
    using Consumer = std::function<bool(const FileToSearch&, FileAnswer&)>;

    // `stop`, when set, makes the workers pass over the files they have not
    // begun; those answers come with searched false.
    // `index`, when given, passes over the files it proves cannot match and
    // keeps the words of the files read whole. `ahead`, when given, is the
    // walk's: a thread with no file to search lists folders for it.
    SearchPipeline(FileSystem& files, const EngineCalls& engine, RunArguments arguments, SearchWords words,
                   SearchScope scope, int threads, Consumer consumer, const std::atomic<bool>& stop,
                   RunIndex* index = nullptr, ListingAhead* ahead = nullptr);
    ~SearchPipeline();

    // Returns false once the consumer has ended the run.
    bool submit(FileToSearch file);
    // Lets idle workers start on what has been submitted: for a walk about
    // to look at a folder that may take a while.
    void flush();
    // Delivers every answer still owed.
    bool finish();

private:
    class Ring;
    FileAnswer search(const FileToSearch& file) const;
    FileAnswer searchContent(const FileToSearch& file) const;
    // With names searched: a file of the walk whose text gave no result but
    // whose name holds the words is answered by its name, as a one-line
    // text, whether its text was read, ruled out or left out.
    void answerByName(const FileToSearch& file, FileAnswer& answer) const;
    // A file of the walk the index answers for by its status alone: one it
    // rules out, or a binary one the run leaves out, is never opened, and an
    // unchanged document is searched in its kept text. True when `answer` is
    // complete; `verdict` tells what the index knew.
    bool answeredByIndex(const FileToSearch& file, FileAnswer& answer, RunIndex::Verdict& verdict) const;

    FileSystem& files_;
    const EngineCalls& engine_;
    RunArguments arguments_;
    SearchWords words_;
    SearchScope scope_;
    Consumer consumer_;
    const std::atomic<bool>& stop_;
    RunIndex* index_;
    ListingAhead* ahead_;
    bool ended_ = false;
    // The folder of the file submitted last, as the index knows it.
    std::shared_ptr<const OpenFolder> lastFolder_;
    std::shared_ptr<RunIndex::Folder> lastIndexed_;
    std::unique_ptr<Ring> ring_;  // none when searching one file at a time
};

}  // namespace tessaly
