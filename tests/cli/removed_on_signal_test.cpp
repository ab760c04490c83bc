#include "removed_on_signal.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <csignal>
#include <fstream>

#include "temp_dir.h"

namespace tessaly::cli {
namespace {

// Each signal that ends a run from outside ends it as before, and the file
// being written is gone; one that came after the guard went removes nothing.
TEST(RemovedOnSignal, TheFileGoesWithTheRunAndTheSignalStillEndsIt) {
    test::TempDir dir;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string path = (dir.path() / "out.tmp").string();
        std::ofstream(path) << "half a result";
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RemovedOnSignal guard(path);
            ::raise(signal);
            ::_exit(0);  // not reached
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_FALSE(std::filesystem::exists(path)) << signal;
    }
    // Once the file is in its place the handlers that were there are back.
    struct sigaction before {};
    ::sigaction(SIGTERM, nullptr, &before);
    { RemovedOnSignal guard((dir.path() / "other.tmp").string()); }
    struct sigaction after {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace
}  // namespace tessaly::cli
