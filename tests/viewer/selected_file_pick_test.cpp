#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "viewer/selected_file_pick.h"

namespace tessaly {
namespace {

// The result pane's plain text: a heading per file, then its passages.
const std::u16string kPane =
    u"1. /home/ann/a.txt   [1/2/24 10:00:00]\n"
    u"the first passage\n"
    u"\n"
    u"2. /home/ann/b.txt   [1/2/24 11:00:00]\n"
    u"the second passage";
const int kSecondMarker = static_cast<int>(kPane.find(u"2. /"));

TEST(SelectedFilePick, EntryUnderTheCaret) {
    const struct {
        const char* name;
        std::u16string text;
        int caret;
        std::optional<std::u16string> path;
    } cases[] = {
        {"caret at the top", kPane, 0, u"/home/ann/a.txt"},
        {"caret inside the first passage", kPane, 45, u"/home/ann/a.txt"},
        {"caret exactly before the second marker's digit", kPane, kSecondMarker, u"/home/ann/a.txt"},
        {"caret just after the second marker's digit", kPane, kSecondMarker + 1, u"/home/ann/b.txt"},
        {"caret at the end", kPane, static_cast<int>(kPane.size()), u"/home/ann/b.txt"},
        {"caret far past the end", kPane, 1 << 30, u"/home/ann/b.txt"},
        {"negative caret: the first entry still counts", kPane, -5, u"/home/ann/a.txt"},
        {"text before the first marker", u"Results\n1. /x/a   [d]\n", 0, u"/x/a"},
        {"no entry", u"nothing here", 3, std::nullopt},
        {"empty pane", u"", 0, std::nullopt},
        {"heading without the date bracket", u"1. /x/a\npassage", 0, std::nullopt},
        {"path keeps its case and its blanks", u"1. /Data/My Notes.TXT   [d]", 0, u"/Data/My Notes.TXT"},
        {"the first \"   [\" ends the path", u"1. /x/a   [b   [d]", 0, u"/x/a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pathUnderCaret(c.text, c.caret), c.path);
    }
}

TEST(SelectedFilePick, EntriesWithoutALocalPathGiveNothing) {
    // The caller keeps its previous file then; an earlier entry's path must not
    // stand in for the one under the caret.
    const std::u16string pane = u"1. /x/a   [d]\np\n2. server:share/b   [d]\np\n3. /x/c   [d]";
    const int second = static_cast<int>(pane.find(u"2. "));
    const int third = static_cast<int>(pane.find(u"3. "));
    EXPECT_EQ(pathUnderCaret(pane, second), u"/x/a");
    EXPECT_EQ(pathUnderCaret(pane, second + 1), std::nullopt);
    EXPECT_EQ(pathUnderCaret(pane, third + 1), u"/x/c");
    EXPECT_EQ(pathUnderCaret(u"1. relative/a   [d]", 0), std::nullopt);
}

TEST(SelectedFilePick, MarkerTextInsidePassages) {
    const struct {
        const char* name;
        std::u16string text;
        std::u16string caretBefore;  // the caret goes just after this text's first unit
        std::optional<std::u16string> path;
    } cases[] = {
        // "1. " inside a passage after entry 1: only the first occurrence is a marker.
        {"version 1. after the first heading", u"1. /x/a   [d]\nversion 1. of it\n2. /x/b   [d]", u"of it",
         u"/x/a"},
        {"version 1. then the second entry", u"1. /x/a   [d]\nversion 1. of it\n2. /x/b   [d]\nq", u"q",
         u"/x/b"},
        // "2. " inside entry 1's passage is taken for entry 2's marker: the real
        // entry 2 belongs to that false entry, which names no file.
        {"false second marker, caret before it", u"1. /x/a   [d]\nstep 2. done\n2. /x/b   [d]\nq", u"step",
         u"/x/a"},
        {"false second marker, caret after it", u"1. /x/a   [d]\nstep 2. done\n2. /x/b   [d]\nq", u"done",
         std::nullopt},
        {"false second marker, caret in the real entry 2", u"1. /x/a   [d]\nstep 2. done\n2. /x/b   [d]\nq",
         u"q", std::nullopt},
        {"entry 3 is still found after a false entry 2",
         u"1. /x/a   [d]\nstep 2. done\n2. /x/b   [d]\nq\n3. /x/c   [d]\nr", u"r", u"/x/c"},
        // A false marker before a slash would otherwise take the passage, the
        // blank line and the next heading as one "path".
        {"false marker before a slash", u"1. /x/a   [d]\nsee 2. /etc/hosts now\n\n3. /x/c   [d]\nr",
         u"now", std::nullopt},
        {"entry 11 is not taken for entry 1", u"1. /x/a   [d]\n2. /x/b   [d]\n3. /x/c   [d]\n4. /x/d   [d]\n"
         u"5. /x/e   [d]\n6. /x/f   [d]\n7. /x/g   [d]\n8. /x/h   [d]\n9. /x/i   [d]\n10. /x/j   [d]\n"
         u"11. /x/k   [d]\nlast", u"last", u"/x/k"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto caret = c.text.rfind(c.caretBefore);
        ASSERT_NE(caret, std::u16string::npos);
        EXPECT_EQ(pathUnderCaret(c.text, static_cast<int>(caret) + 1), c.path);
    }
}

}  // namespace
}  // namespace tessaly
