#include "criteria/run_arguments.h"
#include "run/qt/single_file_view.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QElapsedTimer>
#include <QTextCursor>
#include <QTreeWidget>
#include <filesystem>

#include "platform/engine_access.h"
#include "platform/qt/rich_text_box.h"
#include "run/qt/date_time_text.h"
#include "run/qt/result_view.h"
#include "hostile_documents.h"
#include "viewer_idle.h"
#include "window_fixture.h"
#include "window/qt/criteria_view.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"

namespace tessaly::test {
namespace {

// An engine that cannot be loaded, as when the library is missing.
class MissingEngine final : public EngineAccess {
public:
    const EngineCalls* engine(Failure& failure) override {
        ++asked;
        failure.code = code::libraryNotLoadable;
        failure.operation = "load";
        return nullptr;
    }
    int asked = 0;
};

class SingleFileViewTest : public ::testing::Test {
protected:
    SingleFileViewTest() : SingleFileViewTest(installedEngine()) {}
    explicit SingleFileViewTest(EngineAccess& engine)
        : results(*fixture.window, fixture.services),
          view(*fixture.window, fixture.services, engine, arguments, results.selectedFile()) {
        window().panel().DispFull->setChecked(true);
        window().criteria().searchText[0]->setText(QStringLiteral("cat"));
    }

    MainWindow& window() { return *fixture.window; }
    SelectedFile& selected() { return results.selectedFile(); }

    // The file's node, as a run that found it leaves it.
    QTreeWidgetItem* listed(const std::string& path, int fileCount = 1) {
        results.addToTree(path, 1, fileCount);
        for (QTreeWidgetItemIterator it(window().results().outlineFile); *it; ++it)
            if ((*it)->data(0, ResultView::kPathRole).toByteArray() == QByteArray::fromStdString(path))
                return *it;
        return nullptr;
    }

    void click(QTreeWidgetItem* node) {
        emit window().results().outlineFile->itemClicked(node, 0);
        waitForSingleFileView(view);
    }

    std::time_t modified(const std::string& path) {
        DirectoryEntry entry;
        EXPECT_FALSE(systemFileSystem().status(path, entry));
        return entry.modified;
    }

    TempDir files;
    WindowFixture fixture;
    RunArguments arguments;
    ResultView results;
    SingleFileView view;
};

TEST_F(SingleFileViewTest, FileNodeShowsDateSizeAndTheHitsInRed) {
    const std::string path = files.write("Docs/Notes.TXT", "the cat sat on the mat\r\nnothing here\r\n");
    click(listed(path));

    RichTextBox& pane = *window().results().textFile;
    const QString heading = QStringLiteral("Date: ") + QString::fromStdString(dateTimeText(modified(path))) +
                            QStringLiteral("    Size:  1KB");
    EXPECT_TRUE(pane.plainText().startsWith(heading + "\n \n")) << pane.plainText().toStdString();
    EXPECT_TRUE(pane.plainText().contains("the cat sat on the mat")) << pane.plainText().toStdString();
    EXPECT_FALSE(pane.plainText().contains("nothing here"));
    // The path keeps its case: a lower-cased one would not open.
    EXPECT_EQ(selected().path, path);

    const struct {
        int at;
        QColor colour;
        bool bold;
    } styles[] = {{1, QColor(0, 0, 255), true},
                  {pane.findText("cat", heading.size(), {true, true, false}) + 1, QColor(255, 0, 0), true},
                  {pane.findText("mat", heading.size(), {true, true, false}) + 1, QColor(0, 0, 0), false}};
    for (const auto& s : styles) {
        SCOPED_TRACE(s.at);
        QTextCursor cursor(pane.document());
        cursor.setPosition(s.at);
        EXPECT_EQ(cursor.charFormat().foreground().color(), s.colour);
        EXPECT_EQ(cursor.charFormat().fontWeight() == QFont::Bold, s.bold);
    }
}

// A document that would keep its reader busy for ever: a new run (which
// clears the tree) ends its reading at once, and so does the view's end.
TEST_F(SingleFileViewTest, ANewRunEndsTheReadingOfTheFileClickedBefore) {
    const std::string path = files.write("forms.pdf", formChainPdf());
    emit window().results().outlineFile->itemClicked(listed(path), 0);
    QElapsedTimer clock;
    clock.start();
    results.clearTreeAndFileView();  // as a new run does
    ASSERT_TRUE(waitForSingleFileView(view));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(window().results().textFile->plainText().toStdString().find("Date:"), std::string::npos);
}

TEST_F(SingleFileViewTest, FileThatNoLongerMatchesShowsItsHeadingAlone) {
    const std::string path = files.write("a.txt", "");
    window().criteria().searchText[0]->setText(QStringLiteral("dog"));
    click(listed(path));
    EXPECT_TRUE(window().results().textFile->plainText().startsWith("Date: "));
    EXPECT_TRUE(window().results().textFile->plainText().trimmed().endsWith("Size:  1KB"))
        << window().results().textFile->plainText().toStdString();
    EXPECT_EQ(selected().path, path);
}

TEST_F(SingleFileViewTest, FolderNodeClickChangesNothing) {
    const std::string path = files.write("Docs/a.txt", "cat");
    QTreeWidgetItem* file = listed(path);
    selected().path = "/kept";
    window().results().textFile->setRtf(std::string_view("{\\rtf1 kept view}"));
    for (QTreeWidgetItem* node = file->parent(); node; node = node->parent()) {
        SCOPED_TRACE(node->text(0).toStdString());
        click(node);
        EXPECT_EQ(selected().path, "/kept");
        EXPECT_EQ(window().results().textFile->plainText(), "kept view");
    }
}

TEST_F(SingleFileViewTest, TooManyHitsShowsTheNoteInsteadOfTheLines) {
    // Distinct lines: the engine keeps one copy of a repeated line.
    std::string text;
    for (int line = 0; text.size() < 300000; ++line)
        text += "a cat and another cat went out " + std::to_string(line) + "\n";
    const std::string path = files.write("big.txt", text);
    arguments.allHits = 1;
    arguments.contextWords = 30;
    click(listed(path));

    const QString shown = window().results().textFile->plainText();
    const QString size = QStringLiteral("Size:  %1KB").arg(text.size() / 1024);
    EXPECT_TRUE(shown.contains(size)) << shown.left(200).toStdString();
    EXPECT_TRUE(shown.contains(
        "Too many hits found. Please refine the search text and search this file again!"));
    EXPECT_FALSE(shown.contains("another cat"));
}

TEST_F(SingleFileViewTest, FileGoneSinceTheRunIsSaidInTheStatusLine) {
    const std::string path = files.write("gone.txt", "cat");
    QTreeWidgetItem* node = listed(path);
    std::filesystem::remove(path);
    selected().path = "/before";
    click(node);
    EXPECT_EQ(window().status().dispFile->text().toStdString(), "The file is no longer there: " + path);
    EXPECT_TRUE(selected().path.empty());
    EXPECT_EQ(window().results().textFile->plainText(), "");
    EXPECT_TRUE(fixture.boxes.asked().empty());
}

TEST_F(SingleFileViewTest, DoubleClickOpensTheSelectedFileButNothingAfterATabChange) {
    const std::string path = files.write("a.txt", "cat");
    click(listed(path));
    window().results().dispResult->show();
    window().results().dispResult->setCurrentIndex(1);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&*fixture.window));
    selected().path = path;  // the tab change above emptied it

    QTest::mouseDClick(window().results().textFile->viewport(), Qt::LeftButton);
    EXPECT_EQ(fixture.desktop.opened(), std::vector<std::string>{path});

    window().results().dispResult->setCurrentIndex(0);
    view.doubleClicked();
    EXPECT_EQ(fixture.desktop.opened().size(), 1u);

    // A file the desktop cannot open is not worth a box.
    fixture.desktop.failOpening(Failure{code::pathFileAccessError, 0, "open", path});
    selected().path = path;
    view.doubleClicked();
    EXPECT_EQ(fixture.desktop.opened().size(), 2u);
    EXPECT_TRUE(fixture.boxes.asked().empty());
}

class SingleFileViewWithoutEngineTest : public SingleFileViewTest {
protected:
    SingleFileViewWithoutEngineTest() : SingleFileViewTest(missing) {}
    static inline MissingEngine missing;
};

TEST_F(SingleFileViewWithoutEngineTest, EngineThatCannotLoadIsReportedAndAbortEnds) {
    const std::string path = files.write("a.txt", "cat");
    QTreeWidgetItem* node = listed(path);
    const struct {
        std::vector<MessageAnswer> answers;
        int boxes;
        int ended;
    } cases[] = {{{MessageAnswer::Ignore}, 1, 0},
                 {{MessageAnswer::Retry, MessageAnswer::Ignore}, 2, 0},
                 {{MessageAnswer::Abort}, 1, 1}};
    std::size_t asked = 0;
    int ended = 0;
    for (const auto& c : cases) {
        for (MessageAnswer answer : c.answers) fixture.boxes.answer(answer);
        click(node);
        ASSERT_EQ(fixture.boxes.asked().size(), asked + static_cast<std::size_t>(c.boxes));
        asked = fixture.boxes.asked().size();
        ended += c.ended;
        EXPECT_EQ(fixture.end.ended(), ended);
        const AskedBox& box = fixture.boxes.asked().back();
        EXPECT_EQ(box.text, "The search engine libtyx12.so cannot be loaded! ( 298)");
        EXPECT_EQ(box.title, "Operation Error");
        EXPECT_EQ(box.buttons, MessageButtons::AbortRetryIgnore);
        // The heading alone would claim the file has no hits.
        EXPECT_EQ(window().results().textFile->plainText(), "");
    }
}

}  // namespace
}  // namespace tessaly::test
