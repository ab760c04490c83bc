// The error that cut the calling thread's last input short: a read that
// failed, or a mapped page the system could not bring in. 0 when the input
// was read to its end (or as far as the search needed). Kept per thread,
// since each search thread reads its own files, and in initial-exec storage,
// since the bus-error handler sets it.
#pragma once

namespace tyx12::detail {

extern thread_local __attribute__((tls_model("initial-exec"))) int threadReadError;

}  // namespace tyx12::detail
