#include "platform/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tessaly {

void yieldToInteractiveThreads() {
    // On Linux a nice value belongs to a thread; failing leaves it as it was.
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    ::setpriority(PRIO_PROCESS, thread, 10);
}

}  // namespace tessaly
