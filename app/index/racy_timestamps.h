// When the index may take a file for unchanged.
#pragma once

#include <cstdint>

#include "index/indexed_file.h"

namespace tessaly {

// File systems keep times to a granularity (2 s on FAT, 1 s on some network
// and older file systems, a clock tick on others). We take the coarsest we
// may meet rather than measure each file system.
inline constexpr std::int64_t kTimestampGranularityNanoseconds = 2'000'000'000;

// Whether `now` is the file the index recorded, with the words it had then.
//
// Equal versions are not enough. A file written, read by us, and written
// again within one tick of its file system's clock keeps the same times (and
// may keep its size): its second content would pass for the first. So when a
// file's modification or change time lies within the granularity of the
// moment its reading began, or after it, the times cannot prove anything and
// the file counts as changed. It is read again, and recorded again at a later
// moment, when its times lie far enough behind; version-control tools treat
// their own indexes the same way ("racy" entries). Times in the future (a
// clock set back, a file from elsewhere) count as changed too.
bool provenUnchanged(const IndexedFile& recorded, const FileVersion& now);

}  // namespace tessaly
