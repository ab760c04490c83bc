// What the index tells the person about its troubles: each kind once a run,
// however often it happens, since a search goes on without the index and one
// line says all there is to say.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <utility>

#include "index/index_trouble.h"

namespace tessaly {

class IndexNotices {
public:
    // Keeps the first message of each kind; unless `goOn`, the index is
    // unusable for the rest of the run.
    void report(IndexTrouble trouble, const std::string& message, bool goOn);
    bool usable() const { return usable_.load(std::memory_order_acquire); }
    // The messages not yet taken, one a line; empty when there are none.
    std::string take();

private:
    std::atomic<bool> usable_{true};
    std::mutex mutex_;
    unsigned said_ = 0;  // a bit for each IndexTrouble already reported
    std::string pending_;
};

}  // namespace tessaly
