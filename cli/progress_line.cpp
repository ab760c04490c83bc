#include "progress_line.h"

#include "terminal_name.h"

namespace tessaly::cli {

void ProgressLine::update(long listed, long searched, long matched, const std::string& folder) {
    if (!enabled_) return;
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && now - lastShown_ < std::chrono::milliseconds(100)) return;
    lastShown_ = now;
    std::string line = std::to_string(listed) + " files listed, " + std::to_string(searched) +
                       " searched, " + std::to_string(matched) + " matched  " + terminalName(folder);
    // Long folder paths would wrap and leave a trail of lines behind.
    if (line.size() > 100) line = line.substr(0, 60) + "..." + line.substr(line.size() - 37);
    std::fprintf(terminal_, "\r\x1b[K%s", line.c_str());
    std::fflush(terminal_);
    shown_ = true;
}

void ProgressLine::clear() {
    if (!shown_) return;
    std::fprintf(terminal_, "\r\x1b[K");
    std::fflush(terminal_);
    shown_ = false;
}

}  // namespace tessaly::cli
