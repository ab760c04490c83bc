#include "removed_on_signal.h"

#include <climits>
#include <cstring>
#include <unistd.h>

namespace tessaly::cli {

namespace {

// Read by the handler: only what is safe there, a fixed buffer and unlink.
char removedPath[PATH_MAX + 1];
volatile std::sig_atomic_t armed = 0;

void removeAndEnd(int signal) {
    // The file goes first: a second signal (timeout(1) signals the process
    // and then its group) may reach another thread at any moment, and once
    // the default is back it ends the program at once.
    if (armed) ::unlink(removedPath);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signal, &byDefault, nullptr);
    // The signal now ends the program as it would have, and the shell sees why.
    ::raise(signal);
}

}  // namespace

RemovedOnSignal::RemovedOnSignal(const std::string& path) {
    const std::size_t length = std::min(path.size(), sizeof removedPath - 1);
    std::memcpy(removedPath, path.data(), length);
    removedPath[length] = '\0';
    armed = path.size() < sizeof removedPath;
    struct sigaction action {};
    action.sa_handler = removeAndEnd;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], nullptr, &before_[i]);
        // A signal the caller ignores (nohup) stays ignored.
        if (before_[i].sa_handler != SIG_IGN) ::sigaction(kSignals[i], &action, nullptr);
    }
}

RemovedOnSignal::~RemovedOnSignal() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &before_[i], nullptr);
    armed = 0;
}

}  // namespace tessaly::cli
