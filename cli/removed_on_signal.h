// The file -o writes beside its target goes when the run is ended by a signal
// (Ctrl+C, kill, a terminal closed), as it goes when the run fails: a run cut
// short leaves the old file and nothing else behind.
#pragma once

#include <csignal>
#include <string>

namespace tessaly::cli {

class RemovedOnSignal {
public:
    // One at a time: the handlers know a single path.
    explicit RemovedOnSignal(const std::string& path);
    // The handlers that were there come back.
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction before_[3];
};

}  // namespace tessaly::cli
