// The result pane's box against the rich-text box it stands in for: the same
// pieces of RTF give the same text, the same styles and the same saved RTF.
#include "platform/qt/growing_rich_text_box.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTextBlock>
#include <QTextDocument>

#include "platform/qt/rich_text_box.h"
#include "run/result_document.h"

namespace tessaly {
namespace {

std::string entry(int fileCount, std::string_view path, std::string_view lines, bool tooManyHits = false) {
    FileEntry e;
    e.fileCount = fileCount;
    e.heading = headingText(path, "1/2/2024 10:00:00");
    e.lines = lines;
    e.tooManyHits = tooManyHits;
    return fileEntryBody(e);
}

TEST(GrowingRichTextBox, ShowsAndSavesWhatTheRichTextBoxWould) {
    constexpr std::string_view kHitLines =
        "the {\\fs18\\cf1\\b Cat} sat{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }"
        "caf\\u233?  {\\fs18\\cf1\\b d\\'f6g}{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";
    const std::string header(kResultHeader);
    // A blank, then entries a piece at a time as a run appends them: the first
    // piece with the colour table, later ones joined, one ending in the
    // too-many-hits note, one with a brace and a name that is not UTF-8.
    const std::vector<std::string> pieces = {
        "{\\fs18  }",
        header + entry(1, "/a/one.txt", kHitLines) + "}",
        header + entry(2, "/a/t\\{wo\xff.txt", kHitLines) + entry(3, "/b/3.txt", "", true) + "}",
        header + entry(4, "/b/4.txt", kHitLines) + "}",
    };
    RichTextBox reference;
    GrowingRichTextBox box;
    for (const std::string& piece : pieces) {
        reference.moveCursor(QTextCursor::End);
        reference.insertRtf(piece);
        box.appendRtf(piece);
    }
    const QString text = reference.plainText();
    ASSERT_EQ(box.plainText(), text);
    for (int at = 0; at < text.size(); ++at) {
        if (text[at] == u'\n') continue;  // a paragraph's end has no format of its own
        QTextCursor cursor(reference.document());
        cursor.setPosition(at + 1);
        const QTextCharFormat expected = cursor.charFormat(), got = box.formatAt(at);
        ASSERT_EQ(got.fontWeight(), expected.fontWeight()) << at;
        ASSERT_EQ(got.foreground().color(), expected.foreground().color()) << at;
        ASSERT_EQ(got.fontPointSize(), expected.fontPointSize()) << at;
    }
    EXPECT_EQ(box.rtf(), reference.rtf());
    // A reader hears the heading, the passage and the hit word apart.
    QAccessibleTextInterface& reader =
        *QAccessible::queryAccessibleInterface(&box)->textInterface();
    int start = 0, end = 0;
    const QString heading =
        reader.attributes(static_cast<int>(text.indexOf("/a/one")), &start, &end);
    const QString passage =
        reader.attributes(static_cast<int>(text.indexOf("the Cat")), &start, &end);
    const QString hit = reader.attributes(static_cast<int>(text.indexOf("Cat")), &start, &end);
    EXPECT_EQ(text.mid(start, end - start), "Cat");
    EXPECT_NE(heading, passage);
    EXPECT_NE(hit, passage);
    EXPECT_NE(hit, heading);
    EXPECT_TRUE(hit.contains("hit:true;")) << hit.toStdString();
    EXPECT_FALSE(heading.contains("hit:")) << heading.toStdString();
    EXPECT_EQ(box.document()->toPlainText(), text);

    box.clear();
    EXPECT_EQ(box.plainText(), "");
    box.appendRtf(pieces[1]);
    EXPECT_TRUE(box.plainText().startsWith("1. /a/one.txt"));
}

}  // namespace
}  // namespace tessaly
