#include "platform/qt/rich_text_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QTextCursor>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/qt/rtf_colour_table.h"
#include "platform/rtf_escape.h"
#include "platform/rtf_reader.h"
#include "run/result_document.h"
#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

// Hit lines as the engine writes them: the highlight and the line separator.
constexpr std::string_view kHitLines =
    "the {\\fs18\\cf1\\b Cat} sat{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }"
    "a {\\fs18\\cf1\\b cat} and a {\\fs18\\cf1\\b dog}{\\plain\\f2\\fs18 \\par "
    "\\pard\\plain\\f3\\fs18 "
    "\\par }";

std::string entry(int fileCount, std::string_view path, std::string_view lines = kHitLines) {
    FileEntry e;
    e.fileCount = fileCount;
    e.heading = headingText(path, "1/2/2024 10:00:00");
    e.lines = lines;
    return fileEntry(e);
}

// Paragraphs as text with the style of each stretch, so that two readings
// compare whatever their run boundaries: "[b2/18]1. /a|[-0/18]x".
std::vector<std::string> styled(std::string_view rtf) {
    std::vector<std::string> out;
    for (const RtfParagraph& paragraph : readRtf(rtf)) {
        std::string line;
        std::string lastStyle;
        for (const RtfRun& run : paragraph.runs) {
            const std::string style = std::string("[") + (run.bold ? "b" : "-") +
                                      std::to_string(run.colour) + "/" +
                                      std::to_string(run.fontSize) + "]";
            if (style != lastStyle) line += (line.empty() ? "" : "|") + style;
            lastStyle = style;
            line += run.text;
        }
        out.push_back(line);
    }
    return out;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(RichTextBox, ResultEntryComesBackFromItsRtfWithTextBoldAndColours) {
    RichTextBox box;
    const std::string first = entry(1, "/home/ann/Notes.txt");
    box.insertRtf(first);
    EXPECT_EQ(styled(box.rtf()), styled(first));

    const std::vector<std::string> paragraphs = styled(box.rtf());
    ASSERT_GE(paragraphs.size(), 4u);
    EXPECT_EQ(paragraphs[0], "[b2/18]1. /home/ann/Notes.txt   [1/2/2024 10:00:00]");
    EXPECT_EQ(paragraphs[2], "[-0/18]the |[b1/18]Cat|[-0/18] sat");
    EXPECT_EQ(readRtfColourTable(box.rtf()), readRtfColourTable(kResultHeader));

    // The box shows what the RTF says: 9 points, blue headings, red hits.
    QTextCursor cursor(box.document());
    cursor.setPosition(1);
    EXPECT_EQ(cursor.charFormat().fontPointSize(), 9.0);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    const int cat = static_cast<int>(box.plainText().indexOf("Cat"));
    cursor.setPosition(cat + 1);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));
}

TEST(RichTextBox, EntriesInsertedOneAfterAnotherFollowEachOther) {
    RichTextBox box;
    box.insertRtf(entry(1, "/a/one.txt"));
    box.insertRtf(QByteArray::fromStdString(entry(2, "/a/two.txt")));
    box.insertRtf(entry(3, "/a/three.txt"));

    const QString text = box.plainText();
    const auto one = text.indexOf("1. /a/one.txt"), two = text.indexOf("2. /a/two.txt"),
               three = text.indexOf("3. /a/three.txt");
    EXPECT_EQ(one, 0);
    EXPECT_LT(one, two);
    EXPECT_LT(two, three);
    EXPECT_EQ(box.caretOffset(), text.size());
    // Each entry is a document of its own: nothing of one entry's state
    // (a size set outside any group) leaks into the next.
    std::vector<std::string> expected;
    for (const std::string& piece :
         {entry(1, "/a/one.txt"), entry(2, "/a/two.txt"), entry(3, "/a/three.txt")}) {
        const std::vector<std::string> paragraphs = styled(piece);
        expected.insert(expected.end(), paragraphs.begin(), paragraphs.end());
    }
    EXPECT_EQ(styled(box.rtf()), expected);
}

TEST(RichTextBox, PiecesWithoutTableAreColouredFromTheKnownOne) {
    RichTextBox box;
    box.insertRtf(entry(1, "/a/one.txt"));
    box.insertRtf(std::string_view("{\\rtf1 {\\cf2\\b blue} {\\cf1 red}}"));
    const std::vector<std::string> paragraphs = styled(box.rtf());
    EXPECT_EQ(paragraphs.back(), "[b2/24]blue|[-0/24] |[-1/24]red");
}

TEST(RichTextBox, CaretEndsBehindInsertedTextAndTheTextItReplaces) {
    RichTextBox box;
    const struct {
        int caretBefore;  // -1: where the last insertion left it
        std::string_view rtf;
        QString text;
        int caretAfter;
    } steps[] = {
        {-1, "{\\rtf1 abc}", "abc", 3},    {-1, "{\\rtf1 de\\par}", "abcde\n", 6},
        {-1, "{\\rtf1 f}", "abcde\nf", 7}, {1, "{\\rtf1 X}", "aXbcde\nf", 2},
        {0, "", "aXbcde\nf", 0},           {100, "{\\rtf1 \\par\\par}", "aXbcde\nf\n\n", 10},
    };
    for (const auto& step : steps) {
        if (step.caretBefore >= 0) box.setCaretOffset(step.caretBefore);
        box.insertRtf(step.rtf);
        EXPECT_EQ(box.plainText(), step.text) << step.rtf;
        EXPECT_EQ(box.caretOffset(), step.caretAfter) << step.rtf;
    }

    box.select(1, 5);
    EXPECT_EQ(box.selectedText(), "Xbcde");
    box.insertRtf(std::string_view("{\\rtf1 {\\b Y}}"));
    EXPECT_EQ(box.plainText(), "aY\nf\n\n");

    box.setRtf(std::string_view("{\\rtf1 new\\par text}"));
    EXPECT_EQ(box.plainText(), "new\ntext");
    EXPECT_EQ(box.caretOffset(), 0);
}

TEST(RichTextBox, EscapesSpecialCharactersAndUnknownGroupsSurviveAsText) {
    const struct {
        std::string_view rtf;
        QString text;
    } cases[] = {
        {"{\\rtf1 a\\\\b\\{c\\}d}", "a\\b{c}d"},
        {"{\\rtf1{\\*\\generator Word;}{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}"
         "\\foo12 Hello{\\*\\unknown x}{\\pict 0a0b} world\\bar}",
         "Hello world"},
        {"{\\rtf1 it\x92s \\'93q\\'94}", QString::fromUtf8("it\u2019s \u201cq\u201d")},
        {"{\\rtf1 line\\line two\\tab three}", "line\ntwo\tthree"},
        {"{\\rtf1 \\u-10179?\\u-8703? caf\\u233?}", QString::fromUtf8("\U0001F601 caf\u00e9")},
    };
    for (const auto& c : cases) {
        RichTextBox box;
        box.setRtf(c.rtf);
        EXPECT_EQ(box.plainText(), c.text) << c.rtf;

        RichTextBox again;
        again.setRtf(box.rtf());
        EXPECT_EQ(again.plainText(), c.text) << box.rtf();
    }
}

TEST(RichTextBox, SavedFileKeepsEveryCharacterAndNameByte) {
    // A file name as Linux allows it: accents, the euro, an emoji, braces and
    // two bytes that are no UTF-8 at all.
    const std::string name = "/data/caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 {x}\xFF\xFE.txt";
    RichTextBox box;
    box.insertRtf(entry(1, name, "the {\\fs18\\cf1\\b boss}\x92s notes{\\plain\\f2\\fs18 \\par }"));

    test::TempDir dir;
    const std::filesystem::path file = dir.path() / "result.rtf";
    ASSERT_FALSE(box.saveRtf(QString::fromStdString(file.string())));
    const std::string saved = readFile(file);
    EXPECT_EQ(saved, box.rtf());
    EXPECT_NE(saved.find(escapeRtfText(name)), std::string::npos);
    EXPECT_EQ(saved.find_first_of("\x80\xFF"), std::string::npos) << "only ASCII is written";
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".ty~"));

    const std::vector<RtfParagraph> paragraphs = readRtf(saved);
    ASSERT_GE(paragraphs.size(), 3u);
    EXPECT_EQ(paragraphs[0].text(), "1. " + name + "   [1/2/2024 10:00:00]");
    EXPECT_EQ(paragraphs[2].text(), "the boss\u2019s notes");

    RichTextBox reloaded;
    reloaded.setRtf(saved);
    EXPECT_EQ(reloaded.plainText(), box.plainText());
    EXPECT_EQ(reloaded.rtf(), saved);
}

TEST(RichTextBox, ColouredRangeIsSavedBoldInItsColour) {
    RichTextBox box;
    box.insertRtf(std::string(kResultHeader) + "\\fs18 one two three}");
    box.colourRange(4, 3, QColor(255, 0, 0));
    box.colourRange(8, 5, QColor(0, 128, 0), false);
    EXPECT_EQ(styled(box.rtf()),
              std::vector<std::string>{"[-0/18]one |[b1/18]two|[-0/18] |[-3/18]three"});
    const auto table = readRtfColourTable(box.rtf());
    ASSERT_TRUE(table);
    ASSERT_EQ(table->size(), 4u);
    EXPECT_EQ(table->back(), (RtfColour{0, 128, 0}));
    // Ranges reaching past the end are cut, not refused.
    box.colourRange(10, 100, QColor(0, 0, 255));
    EXPECT_EQ(styled(box.rtf()).back(), "[-0/18]one |[b1/18]two|[-0/18] |[-3/18]th|[b2/18]ree");
}

TEST(RichTextBox, FindsTextFromAnOffset) {
    RichTextBox box;
    box.setRtf(std::string_view("{\\rtf1 The cat's catalog\\par CAT sat. cat}"));
    // "The cat's catalog\nCAT sat. cat": cat at 4, catalog at 10, CAT at 18, cat at 27.
    const struct {
        QString text;
        int from;
        bool matchCase;
        bool wholeWord;
        int found;
    } cases[] = {
        {"cat", 0, false, false, 4},     {"cat", 4, false, false, 4},
        {"cat", 5, false, false, 10},    {"cat", 5, false, true, 18},
        {"cat", 5, true, true, 27},      {"CAT", 0, true, false, 18},
        {"cat", 28, false, false, -1},   {"dog", 0, false, false, -1},
        {"catalog", 0, false, true, 10}, {"atalo", 0, false, true, -1},
        {"", 0, false, false, -1},       {"cat", -1, false, false, -1},
        {"cat", 1000, false, false, -1},
    };
    for (const auto& c : cases) {
        box.setCaretOffset(1);
        EXPECT_EQ(box.findText(c.text, c.from, {c.matchCase, c.wholeWord, false}), c.found)
            << c.text.toStdString() << " from " << c.from;
        EXPECT_EQ(box.caretOffset(), 1) << "a look-up leaves the selection";
    }

    EXPECT_EQ(box.findText("sat", 0, {false, true, true}), 22);
    EXPECT_EQ(box.selectedText(), "sat");
    EXPECT_EQ(box.caretOffset(), 25);
}

TEST(RichTextBox, SelectionAcrossParagraphsReadsAsPlainText) {
    RichTextBox box;
    box.setRtf(std::string_view("{\\rtf1 ab\\par cd\\line e}"));
    const struct {
        int start, length;
        QString text;
    } cases[] = {{1, 3, "b\nc"}, {0, 100, "ab\ncd\ne"}, {-5, 2, "ab"}, {4, 0, ""}, {3, -2, ""}};
    for (const auto& c : cases) {
        box.select(c.start, c.length);
        EXPECT_EQ(box.selectedText(), c.text) << c.start << "," << c.length;
    }
}

TEST(RichTextBox, FailedSaveReports31306AndKeepsTheOldFile) {
    RichTextBox box;
    box.insertRtf(entry(1, "/a/one.txt"));
    test::TempDir dir;
    const std::string existing = dir.write("old.rtf", "old content");
    const std::string plainFile = dir.write("plain", "x");

    const struct {
        std::string path;
        std::string failingStep;  // injected into the file system, or empty
        int systemError;
    } cases[] = {
        {(dir.path() / "missing" / "r.rtf").string(), "", ENOENT},
        {plainFile + "/r.rtf", "", ENOTDIR},
        {existing, "write", ENOSPC},
        {existing, "rename", EIO},
    };
    for (const auto& c : cases) {
        test::ScriptedFileSystem files;
        if (!c.failingStep.empty()) files.fail(c.failingStep, c.systemError);
        const Failure failure = box.saveRtf(QString::fromStdString(c.path), files);
        EXPECT_EQ(failure.code, code::richTextSaveFailed) << c.path;
        EXPECT_EQ(failure.systemError, c.systemError) << c.path;
        EXPECT_EQ(failure.path, c.path);
        EXPECT_EQ(readFile(existing), "old content");
        EXPECT_FALSE(std::filesystem::exists(c.path + ".ty~"));
    }

    ASSERT_FALSE(box.saveRtf(QString::fromStdString(existing)));
    EXPECT_EQ(readFile(existing), box.rtf());
}

// On a dark desktop the box shows its document as on paper; the document
// keeps the RTF's colours for print and save.
TEST(RichTextBox, ADarkDesktopShowsTheDocumentAsOnPaper) {
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    QApplication::setPalette(dark);
    RichTextBox box;
    box.setRtf(std::string_view("{\\rtf1{\\colortbl\\red0\\green0\\blue0;}\\cf0 black text\\par}"));
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(box.palette().color(QPalette::Text), QColor(Qt::black));
    QApplication::setPalette(before);
    EXPECT_EQ(box.palette().color(QPalette::Base), before.color(QPalette::Base));
}

}  // namespace
}  // namespace tessaly
