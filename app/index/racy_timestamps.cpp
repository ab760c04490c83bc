#include "index/racy_timestamps.h"

namespace tessaly {

bool provenUnchanged(const IndexedFile& recorded, const FileVersion& now) {
    if (recorded.version != now) return false;
    const std::int64_t settledBefore =
        recorded.recordedNanoseconds - kTimestampGranularityNanoseconds;
    return now.modifiedNanoseconds < settledBefore && now.changedNanoseconds < settledBefore;
}

}  // namespace tessaly
