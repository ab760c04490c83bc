#include "documents/reader/reader_confinement.h"

#include <fcntl.h>
#include <sched.h>
#include <seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace tessaly {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

bool installFilter() {
    // Refused calls fail with an error the libraries already handle, rather
    // than killing the reader: a PDF library that tries to write a cache
    // should go on reading.
    scmp_filter_ctx filter = ::seccomp_init(SCMP_ACT_ALLOW);
    if (!filter) return false;
    const std::uint32_t refuse = SCMP_ACT_ERRNO(EACCES);
    bool ok = true;
    for (const int call : {SCMP_SYS(socket), SCMP_SYS(socketpair), SCMP_SYS(connect), SCMP_SYS(bind),
                           SCMP_SYS(listen), SCMP_SYS(accept), SCMP_SYS(accept4), SCMP_SYS(execve),
                           SCMP_SYS(execveat), SCMP_SYS(fork), SCMP_SYS(vfork), SCMP_SYS(ptrace),
                           SCMP_SYS(process_vm_writev), SCMP_SYS(creat), SCMP_SYS(unlink), SCMP_SYS(unlinkat),
                           SCMP_SYS(rename), SCMP_SYS(renameat), SCMP_SYS(renameat2), SCMP_SYS(mkdir),
                           SCMP_SYS(mkdirat), SCMP_SYS(rmdir), SCMP_SYS(link), SCMP_SYS(linkat),
                           SCMP_SYS(symlink), SCMP_SYS(symlinkat), SCMP_SYS(chmod), SCMP_SYS(fchmod),
                           SCMP_SYS(fchmodat), SCMP_SYS(chown), SCMP_SYS(fchown), SCMP_SYS(lchown),
                           SCMP_SYS(fchownat), SCMP_SYS(truncate), SCMP_SYS(setxattr), SCMP_SYS(lsetxattr),
                           SCMP_SYS(fsetxattr), SCMP_SYS(mknod), SCMP_SYS(mknodat)})
        ok = ok && ::seccomp_rule_add(filter, refuse, call, 0) == 0;
    // clone3 hides its flags from the filter; without it the C library
    // falls back to clone, whose flags can be read: threads, not processes.
    ok = ok && ::seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(clone3), 0) == 0;
    ok = ok && ::seccomp_rule_add(filter, refuse, SCMP_SYS(clone), 1,
                                  SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, 0)) == 0;
    ok = ok && ::seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(openat2), 0) == 0;
    // Files open for reading only.
    for (const auto& [call, flagsArgument] : {std::pair{SCMP_SYS(open), 1u}, std::pair{SCMP_SYS(openat), 2u}}) {
        for (const scmp_datum_t mode : {scmp_datum_t{O_WRONLY}, scmp_datum_t{O_RDWR}})
            ok = ok && ::seccomp_rule_add(filter, refuse, call, 1,
                                          scmp_arg_cmp{flagsArgument, SCMP_CMP_MASKED_EQ, O_ACCMODE, mode}) == 0;
        for (const scmp_datum_t flag : {scmp_datum_t{O_CREAT}, scmp_datum_t{O_TRUNC}, scmp_datum_t{O_TMPFILE}})
            ok = ok && ::seccomp_rule_add(filter, refuse, call, 1,
                                          scmp_arg_cmp{flagsArgument, SCMP_CMP_MASKED_EQ, flag, flag}) == 0;
    }
    ok = ok && ::seccomp_load(filter) == 0;
    ::seccomp_release(filter);
    return ok;
}

}  // namespace

bool confineReader(std::uint64_t memoryBytes, pid_t parent) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent may have gone before the line above.
    if (::getppid() != parent) ::_exit(0);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    // The sanitizers reserve terabytes of address space for themselves.
    if (memoryBytes > 0 && !kSanitized) {
        const rlimit memory{memoryBytes, memoryBytes};
        ::setrlimit(RLIMIT_AS, &memory);
    }
    ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    return installFilter();
}

void limitProcessorTime(std::uint32_t seconds) {
    rusage used{};
    ::getrusage(RUSAGE_SELF, &used);
    // Whole seconds are what the limit counts in: the part already begun
    // counts as used.
    const rlim_t spent = static_cast<rlim_t>(used.ru_utime.tv_sec + used.ru_stime.tv_sec) + 1;
    rlimit limit{};
    ::getrlimit(RLIMIT_CPU, &limit);
    limit.rlim_cur = seconds == 0 ? limit.rlim_max : spent + seconds;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_cur > limit.rlim_max) limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_CPU, &limit);
}

}  // namespace tessaly
