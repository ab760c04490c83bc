#include "terminal_name.h"

#include <gtest/gtest.h>

namespace tessaly::cli {
namespace {

// Control characters of a name never reach the terminal as they are; the
// rest of the name, UTF-8 or not, does.
TEST(TerminalName, ControlCharactersAreEscaped) {
    const struct {
        std::string name, shown;
    } cases[] = {
        {"/home/ann/notes.txt", "/home/ann/notes.txt"},
        {"/x/ctl\x1b[31mred.txt", "/x/ctl\\x1b[31mred.txt"},
        {"/x/two\nlines", "/x/two\\x0alines"},
        {"/x/caf\xc3\xa9\x7f", "/x/caf\xc3\xa9\\x7f"},
    };
    for (const auto& c : cases) EXPECT_EQ(terminalName(c.name), c.shown);
}

}  // namespace
}  // namespace tessaly::cli
