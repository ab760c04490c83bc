#include <gtest/gtest.h>

#include "run/result_document.h"
#include "run/result_tree.h"

namespace tessaly {
namespace {

TEST(ResultDocument, EntriesInEveryForm) {
    const std::string heading = headingText("/home/ann/Notes {draft}.txt", "2003-03-15 10:04:05");
    EXPECT_EQ(heading, "/home/ann/Notes \\{draft\\}.txt   [2003-03-15 10:04:05]");

    const std::string lines = "one {\\fs18\\cf1\\b hit}{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";
    const std::string headingStart = std::string(kResultHeader) + "{\\fs18\\cf2\\b ";
    const std::string headingEnd = "\\f4\\fs18}\\pard {\\fs18 \\par} \\pard {\\fs18 \\par }";
    const std::string note =
        "{\\fs18\\cf1\\b Too many hits found. Please refine the search text and search this file again!" +
        headingEnd;
    const struct {
        const char* name;
        FileEntry entry;
        std::string expected;
    } cases[] = {
        {"first entry, no blank line", {1, heading, lines, true, false},
         headingStart + "1. " + heading + headingEnd + "\\pard \\fs18 " + lines + "}"},
        {"later entries open with a blank line", {12, heading, lines, true, false},
         headingStart + "{\\f4\\fs18}\\pard {\\fs18 \\par}12. " + heading + headingEnd + "\\pard \\fs18 " +
             lines + "}"},
        {"name only", {2, heading, lines, false, false},
         headingStart + "{\\f4\\fs18}\\pard {\\fs18 \\par}2. " + heading + headingEnd + "}"},
        {"too many hits", {1, heading, "", true, true},
         headingStart + "1. " + heading + headingEnd + "\\pard \\fs18 " + note + "}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fileEntry(c.entry), c.expected);
    }
}

TEST(ResultTree, NodesFromTheRootDown) {
    EXPECT_EQ(fileNodeKey(1, 3), " 1 9- 3");
    const auto nodes = treeNodesFor("/home/Ann/Old/Report.DOC", 2, 1);
    ASSERT_EQ(nodes.size(), 5u);
    const struct {
        TreeNodeKind kind;
        const char* key;
        const char* text;
        const char* parent;
    } expected[] = {
        {TreeNodeKind::Drive, "/", "/", ""},
        {TreeNodeKind::Folder, "/home/", "home", "/"},
        {TreeNodeKind::Folder, "/home/Ann/", "Ann", "/home/"},
        {TreeNodeKind::Folder, "/home/Ann/Old/", "Old", "/home/Ann/"},
        {TreeNodeKind::File, " 2 7- 1", "Report.DOC", "/home/Ann/Old/"},
    };
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(nodes[i].kind, expected[i].kind);
        EXPECT_EQ(nodes[i].key, expected[i].key);
        EXPECT_EQ(nodes[i].text, expected[i].text);
        EXPECT_EQ(nodes[i].parentKey, expected[i].parent);
    }
    // A file at the root hangs from the drive itself.
    const auto atRoot = treeNodesFor("/notes.txt", 1, 4);
    ASSERT_EQ(atRoot.size(), 2u);
    EXPECT_EQ(atRoot[1].parentKey, "/");
    EXPECT_EQ(atRoot[1].text, "notes.txt");
}

}  // namespace
}  // namespace tessaly
