// What a search run tells the program that started it, as it happens. The
// command line writes it to a terminal or a file; the window shows it.
#pragma once

#include <ctime>
#include <string>

#include "run/folder_walk.h"
#include "run/run_tally.h"

namespace tessaly {

struct FoundFile {
    int number = 0;  // the entry's number, from 1
    std::string path;
    std::time_t modified = 0;
    int categoryFolder = 0;  // which folder of the run, from 1
    std::string lines;       // the engine's RTF result lines; empty in Name Only
    bool tooManyHits = false;
};

// A file or folder the run did not search, and why, in words.
struct PassedOver {
    std::string path;
    std::string reason;
    // Could not be read, listed or examined; otherwise left alone on purpose
    // (a link to a folder, a pipe), as the run always does.
    bool failed = false;
};

struct RunProgress {
    long listed = 0;
    long searched = 0;
    int found = 0;
    std::string file;  // the file being looked at
};

struct RunSummary {
    RunEnd end = RunEnd::Completed;
    int found = 0;
    long listed = 0;
    long searched = 0;
    long passedOver = 0;
    // Of the files searched, those the word index proved could not match.
    long ruledOut = 0;
    // What the person should be told about the word index, or nothing.
    std::string indexNotice;
    Failure failure;  // the folder failure the run ended at, if it ended at one
};

class RunSink {
public:
    virtual ~RunSink() = default;
    virtual void found(FoundFile file) = 0;
    virtual void passedOver(PassedOver entry) = 0;
    // A folder that cannot be listed and that the run cannot simply pass
    // over (a missing Category folder, a device error): Retry lists it
    // again; Skip or Stop ends the run.
    virtual FailureAnswer folderFailed(const WalkFailure& failure) = 0;
    // The file limit was passed; the run ends without the file that passed it.
    virtual void tooManyFiles() = 0;
    // At most every 100 ms.
    virtual void progress(const RunProgress&) {}
};

}  // namespace tessaly
