// tessaly --index-info: where the index of searched words is, and how much
// it holds.
#pragma once

namespace tessaly::cli {

// Writes to standard output; the exit status.
int printIndexInfo();

}  // namespace tessaly::cli
