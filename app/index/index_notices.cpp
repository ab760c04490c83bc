#include "index/index_notices.h"

namespace tessaly {

void IndexNotices::report(IndexTrouble trouble, const std::string& message, bool goOn) {
    if (trouble == IndexTrouble::none) return;
    if (!goOn) usable_.store(false, std::memory_order_release);
    std::lock_guard lock(mutex_);
    const unsigned bit = 1u << static_cast<unsigned>(trouble);
    if (said_ & bit) return;
    said_ |= bit;
    if (!pending_.empty()) pending_ += '\n';
    pending_ += message;
}

std::string IndexNotices::take() {
    std::lock_guard lock(mutex_);
    return std::exchange(pending_, std::string());
}

}  // namespace tessaly
