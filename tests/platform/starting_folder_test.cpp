#include "platform/starting_folder.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(StartingFolder, TheTerminalsFolderOrAChosenOneElseHome) {
    const std::string data = "/home/me/.local/share/tessaly/";
    const struct {
        const char* working;
        bool terminal;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/home/me/src", true, "/home/me", "/home/me/src"},
        {"/", true, "/home/me", "/"},  // the person stands there
        {"/home/me/.local/share/tessaly", true, "/home/me", "/home/me/.local/share/tessaly"},
        {"/", false, "/home/me", "/home/me"},  // a service or a launcher
        {"/home/me/.local/share/tessaly", false, "/home/me", "/home/me"},
        {"/home/me/.local/share/tessaly/", false, "/home/me/", "/home/me"},
        {"/home/me", false, "/home/me", "/home/me"},
        {"/srv/papers/", false, "/home/me", "/srv/papers"},  // a file manager's "open here"
        {"", true, "/home/me", "/home/me"},  // the working folder was removed
        {"/", false, "", "/home/me/.local/share/tessaly"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.working) + (c.terminal ? " from a terminal" : ""));
        EXPECT_EQ(startingFolder({c.working, c.home, data, c.terminal}), c.expected);
    }
}

}  // namespace
}  // namespace tessaly
