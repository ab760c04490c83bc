#include "viewer/qt/rich_text_saving.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QTextCharFormat>
#include <QTextCursor>
#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/qt/rich_text_box.h"
#include "result_entries.h"
#include "scripted_file_system.h"
#include "window_fixture.h"

namespace tessaly::test {
namespace {

class RichTextSavingTest : public ::testing::Test {
protected:
    RichTextSavingTest() : fixture(files) { fillResultPane(pane, 3, 2); }

    std::string saved() const { return (folder.path() / "results.rtf").string(); }
    QString savedName() const { return QString::fromStdString(saved()); }
    std::string readSaved() const {
        std::string bytes;
        EXPECT_FALSE(systemFileSystem().readAll(saved(), bytes));
        return bytes;
    }

    TempDir folder;
    ScriptedFileSystem files;
    WindowFixture fixture;
    RichTextBox pane;
};

// The colour and weight of the character at the start of `text`'s first occurrence.
QTextCharFormat formatOf(RichTextBox& box, const QString& text) {
    const int at = box.findText(text, 0, {.matchCase = true, .moveSelection = false});
    EXPECT_GE(at, 0) << text.toStdString();
    QTextCursor cursor(box.document());
    cursor.setPosition(at + 1);
    return cursor.charFormat();
}

TEST_F(RichTextSavingTest, SavedResultsReadBackAsTheSameTextAndColours) {
    fixture.dialogs.saveAs(savedName());
    saveCommand(pane, fixture.services);
    EXPECT_TRUE(fixture.boxes.asked().empty());

    RichTextBox reread;
    reread.setRtf(readSaved());
    EXPECT_EQ(reread.plainText(), pane.plainText());
    const QTextCharFormat heading = formatOf(reread, QStringLiteral("/home/ann/notes/file2.txt"));
    EXPECT_EQ(heading.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(heading.fontWeight(), QFont::Bold);
    const QTextCharFormat hit = formatOf(reread, QStringLiteral("cat"));
    EXPECT_EQ(hit.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(hit.fontWeight(), QFont::Bold);
    const QTextCharFormat plain = formatOf(reread, QStringLiteral("on the mat"));
    EXPECT_NE(plain.foreground().color(), QColor(255, 0, 0));
    EXPECT_NE(plain.fontWeight(), QFont::Bold);
}

TEST_F(RichTextSavingTest, CancelSavesNothingAndSaysNothing) {
    fixture.dialogs.cancelSave();
    saveCommand(pane, fixture.services);

    EXPECT_EQ(fixture.dialogs.saveAsked(), 1);
    EXPECT_TRUE(fixture.boxes.asked().empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

// A failed save says why with the saving table's text; Retry once the cause
// is gone saves the file, Ignore leaves the file that was there as it was.
TEST_F(RichTextSavingTest, AFailedSaveIsReportedAndRetryCanSave) {
    const struct {
        const char* operation;
        int systemError;
        const char* message;
    } cases[] = {
        {"rename", ENOSPC, "Disk full! Please free some disk space! ( 61)"},
        {"write", ENOSPC, "Disk full! Please free some disk space! ( 61)"},
        {"write", EACCES, "Fail to save file! Please free some disk space! ( 31306)"},
        {"write", EIO, "Fail to save file! Please free some disk space! ( 31306)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " " + std::to_string(c.systemError));
        ASSERT_FALSE(systemFileSystem().writeAll(saved(), "what was there"));

        // Ignore: the old file stays, the program goes on.
        files.fail(c.operation, c.systemError, {}, 1);
        fixture.dialogs.saveAs(savedName());
        fixture.boxes.answer(MessageAnswer::Ignore);
        saveCommand(pane, fixture.services);
        ASSERT_EQ(fixture.boxes.asked().size(), 1u);
        const AskedBox& box = fixture.boxes.asked().back();
        EXPECT_EQ(box.text, QString::fromUtf8(c.message));
        EXPECT_EQ(box.title, QStringLiteral("Operation Error"));
        EXPECT_EQ(box.icon, MessageIcon::CriticalStop);
        EXPECT_EQ(box.buttons, MessageButtons::AbortRetryIgnore);
        EXPECT_EQ(readSaved(), "what was there");

        // Retry after the cause went away: saved, and no temporary file left.
        files.fail(c.operation, c.systemError, {}, 1);
        fixture.dialogs.saveAs(savedName());
        fixture.boxes.answer(MessageAnswer::Retry);
        saveCommand(pane, fixture.services);
        EXPECT_EQ(fixture.boxes.asked().size(), 2u);
        EXPECT_EQ(readSaved(), pane.rtf());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                                std::filesystem::directory_iterator()),
                  1);
        EXPECT_EQ(fixture.end.ended(), 0);

        files.clearFaults();
        fixture.boxes = ScriptedMessageBoxes();
    }
}

TEST_F(RichTextSavingTest, AbortAfterAFailedSaveEndsTheProgram) {
    files.fail("write", ENOSPC);
    fixture.dialogs.saveAs(savedName());
    fixture.boxes.answer(MessageAnswer::Abort);
    saveCommand(pane, fixture.services);

    EXPECT_EQ(fixture.boxes.asked().size(), 1u);
    EXPECT_EQ(fixture.end.ended(), 1);
    EXPECT_FALSE(std::filesystem::exists(saved()));
}

}  // namespace
}  // namespace tessaly::test
