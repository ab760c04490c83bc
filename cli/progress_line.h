// A one-line account of a long search on the terminal: refreshed at most ten
// times a second, rewritten in place, gone when the search ends.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace tessaly::cli {

class ProgressLine {
public:
    // Shows nothing unless `enabled` (standard error is a terminal).
    ProgressLine(std::FILE* terminal, bool enabled) : terminal_(terminal), enabled_(enabled) {}
    ~ProgressLine() { clear(); }

    void update(long listed, long searched, long matched, const std::string& folder);
    void clear();

private:
    std::FILE* terminal_;
    bool enabled_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace tessaly::cli
