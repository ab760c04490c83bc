#include "run/run_tally.h"

#include "run/result_document.h"

namespace tessaly {

std::string_view statusSentence(RunEnd end) {
    switch (end) {
    case RunEnd::Stopped:
        return "Search was stopped before its completion!";
    case RunEnd::TooManyHits:
        return "Too many hits. Please refine current search text!";
    case RunEnd::TooManyFiles:
        return "Too many files found! Please refine current index!";
    case RunEnd::Incomplete:
        return "Search did not complete!";
    case RunEnd::Completed:
        break;
    }
    return "Search has completed!";
}

RunTally::Answer RunTally::add(std::uint32_t resultLength) {
    Answer answer;
    if (resultLength > kMaxResultLength) tooManyHits_ = true;
    if (resultLength == 0) return answer;
    ++fileCount_;
    if (nameAndText_ && fileCount_ > fileLimit_) {
        // The file that passed the limit gets no entry; the count keeps it.
        tooManyFiles_ = true;
        answer.limitReached = true;
        answer.fileCount = fileCount_;
        return answer;
    }
    answer.matched = true;
    answer.fileCount = fileCount_;
    answer.tooManyHits = tooManyHits_;
    tooManyHits_ = false;
    return answer;
}

RunEnd RunTally::end() const {
    if (stopped_) return RunEnd::Stopped;
    if (tooManyHits_) return RunEnd::TooManyHits;
    if (tooManyFiles_) return RunEnd::TooManyFiles;
    return RunEnd::Completed;
}

}  // namespace tessaly
