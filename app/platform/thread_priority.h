// Work a person is not waiting on, second to the thread that answers them.
#pragma once

namespace tessaly {

// Lowers the calling thread's share of the processor (a nice of 10), so
// that on a machine whose every core searches, the window's thread still
// runs as soon as it has something to do. Never raised again: the thread
// ends with the work it was made for.
void yieldToInteractiveThreads();

}  // namespace tessaly
