#include "file_mapping.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "read_error.h"

namespace tyx12::detail {

namespace {

// The calling thread's mapping, read by the fault handler. Initial-exec, so
// that the handler's read of it can never allocate.
struct GuardedRange {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    int fd = -1;
};
thread_local __attribute__((tls_model("initial-exec"))) GuardedRange guarded;

struct sigaction previousAction;
// Read once, outside the handler.
std::uintptr_t pageSize = 4096;

void onBusError(int signal, siginfo_t* info, void* context) {
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    if (at >= guarded.begin && at < guarded.end) {
        const std::uintptr_t from = at & ~(pageSize - 1);
        // A page the file still reaches could not be read (a failing disk, a
        // network gone): an error, not a file that another program cut short.
        struct stat info;
        if (::fstat(guarded.fd, &info) == 0 && static_cast<std::uintptr_t>(info.st_size) > from - guarded.begin)
            threadReadError = EIO;
        // Zeros from the faulting page to the mapping's end; the read that
        // faulted runs again on them.
        if (::mmap(reinterpret_cast<void*>(from), guarded.end - from, PROT_READ,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED)
            return;
    }
    if (previousAction.sa_flags & SA_SIGINFO) {
        previousAction.sa_sigaction(signal, info, context);
    } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
        previousAction.sa_handler(signal);
    } else {
        // Not ours: what would have happened without us. A fault repeats
        // when the handler returns; a signal sent is sent again.
        ::sigaction(SIGBUS, &previousAction, nullptr);
        if (info->si_code <= 0) ::raise(signal);
    }
}

bool guardInstalled() {
    static const bool installed = [] {
        pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        return ::sigaction(SIGBUS, &action, &previousAction) == 0;
    }();
    return installed;
}

}  // namespace

bool FileMapping::map(int fd, std::size_t size) {
    if (bytes_ || size == 0 || guarded.begin != 0 || !guardInstalled()) return false;
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (at == MAP_FAILED) return false;
    // Read once from start to end: the system may read ahead and drop behind.
    ::madvise(at, size, MADV_SEQUENTIAL);
    bytes_ = static_cast<const unsigned char*>(at);
    size_ = size;
    guarded.begin = reinterpret_cast<std::uintptr_t>(at);
    guarded.end = guarded.begin + size;
    guarded.fd = fd;
    return true;
}

FileMapping::~FileMapping() {
    if (!bytes_) return;
    guarded = {};
    ::munmap(const_cast<unsigned char*>(bytes_), size_);
}

}  // namespace tyx12::detail
