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
        {"/x/csi\x9b" "2J", "/x/csi\\x9b2J"},                    // a stray 8-bit control
        {"/x/latin1-\xe9t\xe9", "/x/latin1-\xe9t\xe9"},           // other stray bytes pass
        {"/x/u\xc2\x9b" "2J", "/x/u\\u{9b}2J"},                   // U+009B in UTF-8
        {"/x/nbsp\xc2\xa0\xe2\x82\xac", "/x/nbsp\xc2\xa0\xe2\x82\xac"},
    };
    for (const auto& c : cases) EXPECT_EQ(terminalName(c.name), c.shown);
}

}  // namespace
}  // namespace tessaly::cli
