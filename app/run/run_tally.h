// What a search run counts as the engine answers for one file after another:
// the matching files, the file limit, the too-many-hits note, and the
// sentence that tells how the run ended. Shared by the window and the
// command line, so that both end a run the same way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

inline constexpr int kFileLimit = 100000;  // in Name and Text display only

inline constexpr std::string_view kTooManyFilesMessage =
    "More than 200 files found! Please refine current index!";
inline constexpr std::string_view kTooManyFilesTitle = "Too Many Files Found";

// Incomplete: a folder that could not be walked ended the run (Ignore, or
// the command line, which cannot ask).
enum class RunEnd { Completed, Stopped, TooManyHits, TooManyFiles, Incomplete };

std::string_view statusSentence(RunEnd end);

class RunTally {
public:
    // `fileLimit` is kFileLimit in the program; tests pass a small one.
    explicit RunTally(bool nameAndText, int fileLimit = kFileLimit)
        : nameAndText_(nameAndText), fileLimit_(fileLimit) {}

    struct Answer {
        bool matched = false;
        bool limitReached = false;  // this file passed the limit: show the message, finish
        int fileCount = 0;          // the entry's number when matched
        bool tooManyHits = false;   // the entry carries the note instead of lines
    };

    // The engine's result length for the next searched file, in walk order.
    Answer add(std::uint32_t resultLength);

    void stop() { stopped_ = true; }
    int fileCount() const { return fileCount_; }
    bool finished() const { return stopped_ || tooManyFiles_; }
    RunEnd end() const;

private:
    bool nameAndText_;
    int fileLimit_;
    int fileCount_ = 0;
    bool stopped_ = false;
    bool tooManyHits_ = false;  // a long result not yet written into an entry
    bool tooManyFiles_ = false;
};

}  // namespace tessaly
