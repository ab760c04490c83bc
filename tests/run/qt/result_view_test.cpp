#include "run/qt/result_view.h"

#include <gtest/gtest.h>

#include <functional>

#include <QElapsedTimer>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>

#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "run/result_document.h"
#include "window_fixture.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"

namespace tessaly::test {
namespace {

constexpr std::string_view kHitLine =
    "the {\\fs18\\cf1\\b cat} sat{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";

class ResultViewTest : public ::testing::Test {
protected:
    void SetUp() override { window().panel().DispFull->setChecked(true); }

    MainWindow& window() { return *fixture.window; }
    SelectedFile& selected() { return view.selectedFile(); }

    // Each entry reaches the pane at once, as when files match slowly.
    void add(int fileCount, std::string_view path, std::string_view lines = kHitLine) {
        addQuickly(fileCount, path, lines);
        view.flushEntries();
    }
    // Entries that come fast wait to go in together.
    void addQuickly(int fileCount, std::string_view path, std::string_view lines = kHitLine) {
        FileEntry entry;
        entry.fileCount = fileCount;
        entry.heading = headingText(path, "1/2/24 10:04:05");
        entry.lines = lines;
        view.addEntry(entry, path);
    }

    QTreeWidgetItem* node(const QString& key) {
        for (QTreeWidgetItemIterator it(window().results().outlineFile); *it; ++it)
            if ((*it)->data(0, ResultView::kKeyRole).toString() == key) return *it;
        return nullptr;
    }

    // Shows the results view as a run does, so that clicks reach the panes.
    void showResults() {
        window().results().dispResult->show();
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }

    WindowFixture fixture;
    ResultView view{*fixture.window, fixture.services};
};

bool sameIcon(const QIcon& shown, QStyle::StandardPixmap expected) {
    const QIcon wanted = QApplication::style()->standardIcon(expected);
    return shown.pixmap(16).toImage() == wanted.pixmap(16).toImage();
}

TEST_F(ResultViewTest, EntriesFollowOneAnotherWhereverThePersonLeftTheCaret) {
    view.begin();
    EXPECT_EQ(window().results().MainResult->plainText(), " ");
    add(1, "/home/Ann/Notes.txt");
    window().results().MainResult->setCaretOffset(3);
    add(2, "/home/Ann/{Draft}.txt");
    window().results().MainResult->setCaretOffset(0);
    add(3, "/home/Ann/c.txt", "");

    // The first entry opens at once, every later one after a blank line.
    EXPECT_EQ(window().results().MainResult->plainText().toStdString(),
              " 1. /home/Ann/Notes.txt   [1/2/24 10:04:05]\n \n"
              "the cat sat\n\n"
              "\n2. /home/Ann/{Draft}.txt   [1/2/24 10:04:05]\n \n"
              "the cat sat\n\n"
              "\n3. /home/Ann/c.txt   [1/2/24 10:04:05]\n \n");

    // Headings blue and bold, the hit word red and bold, the rest plain black.
    const struct {
        QString text;
        QColor colour;
        bool bold;
    } styles[] = {{"2. /home", QColor(0, 0, 255), true},
                  {"cat", QColor(255, 0, 0), true},
                  {" sat", QColor(0, 0, 0), false}};
    for (const auto& s : styles) {
        SCOPED_TRACE(s.text.toStdString());
        const int at = window().results().MainResult->plainText().indexOf(s.text);
        ASSERT_GE(at, 0);
        const QTextCharFormat format = window().results().MainResult->formatAt(at);
        EXPECT_EQ(format.foreground().color(), s.colour);
        EXPECT_EQ(format.fontWeight() == QFont::Bold, s.bold);
    }

    // Put in together, the same entries read the same.
    const std::string oneByOne = window().results().MainResult->plainText().toStdString();
    const std::string oneByOneRtf = window().results().MainResult->rtf();
    view.begin();
    addQuickly(1, "/home/Ann/Notes.txt");
    addQuickly(2, "/home/Ann/{Draft}.txt");
    window().results().MainResult->setCaretOffset(0);
    addQuickly(3, "/home/Ann/c.txt", "");
    view.flushEntries();
    EXPECT_EQ(window().results().MainResult->plainText().toStdString(), oneByOne);
    EXPECT_EQ(window().results().MainResult->rtf(), oneByOneRtf);

    // The next run starts from nothing again.
    view.begin();
    EXPECT_EQ(window().results().MainResult->plainText(), " ");
}

TEST_F(ResultViewTest, TreeSharesDriveAndFolderNodesAndKeepsTheCaseOfPaths) {
    view.addToTree("/home/Ann/Notes.TXT", 1, 1);
    view.addToTree("/home/Ann/b.txt", 1, 2);
    view.addToTree("/home/bob/Old/c.txt", 2, 3);
    view.addToTree("/top.txt", 3, 4);

    QTreeWidget& tree = *window().results().outlineFile;
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(view.treeNodeCount(), 9);
    const struct {
        const char* key;
        const char* text;
        const char* parentKey;  // "" for the top level
        const char* path;       // "" for a drive or folder node
    } expected[] = {
        {"/", "/", "", ""},
        {"/home/", "home", "/", ""},
        {"/home/Ann/", "Ann", "/home/", ""},
        {" 1 7- 1", "Notes.TXT", "/home/Ann/", "/home/Ann/Notes.TXT"},
        {" 1 8- 2", "b.txt", "/home/Ann/", "/home/Ann/b.txt"},
        {"/home/bob/", "bob", "/home/", ""},
        {"/home/bob/Old/", "Old", "/home/bob/", ""},
        {" 2 9- 3", "c.txt", "/home/bob/Old/", "/home/bob/Old/c.txt"},
        {" 3 10- 4", "top.txt", "/", "/top.txt"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.key);
        QTreeWidgetItem* item = node(QString::fromUtf8(e.key));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(0), QString::fromUtf8(e.text));
        const QString parentKey =
            item->parent() ? item->parent()->data(0, ResultView::kKeyRole).toString() : QString();
        EXPECT_EQ(parentKey, QString::fromUtf8(e.parentKey));
        EXPECT_EQ(item->data(0, ResultView::kPathRole).toByteArray(), QByteArray(e.path));
        const bool file = *e.path != '\0';
        // Every node on the way to a file is opened so that the file shows.
        EXPECT_TRUE(sameIcon(item->icon(0), file ? QStyle::SP_FileIcon : QStyle::SP_DirOpenIcon));
        if (!file) {
            EXPECT_TRUE(item->isExpanded());
        }
    }

    // The newest file is scrolled into view once the window gets to it.
    showResults();
    window().results().dispResult->setCurrentIndex(1);
    for (int count = 5; count < 200; ++count) view.addToTree("/many/f" + std::to_string(count), 4, count);
    WindowFixture::settle();
    const QRect newest = tree.visualItemRect(node(" 4 205- 199"));
    EXPECT_TRUE(tree.viewport()->rect().contains(newest)) << newest.y();

    QTreeWidgetItem* bob = node("/home/bob/");
    bob->setExpanded(false);
    EXPECT_TRUE(sameIcon(bob->icon(0), QStyle::SP_DirClosedIcon));
    view.addToTree("/home/bob/Old/d.txt", 2, 300);
    EXPECT_TRUE(bob->isExpanded());
    EXPECT_EQ(view.treeNodeCount(), 9 + 1 + 195 + 1);  // only the file node is new
}

TEST_F(ResultViewTest, ClearingTheTreeForgetsItsNodes) {
    view.addToTree("/a/one.txt", 1, 1);
    window().results().textFile->setRtf(std::string_view("{\\rtf1 old view}"));
    view.clearTreeAndFileView();
    EXPECT_EQ(window().results().outlineFile->topLevelItemCount(), 0);
    EXPECT_EQ(view.treeNodeCount(), 0);
    EXPECT_EQ(window().results().textFile->plainText(), "");

    // Nodes of the emptied tree must not be reused.
    view.addToTree("/a/two.txt", 1, 1);
    EXPECT_EQ(window().results().outlineFile->topLevelItemCount(), 1);
    EXPECT_EQ(view.treeNodeCount(), 3);
}

TEST_F(ResultViewTest, NameOnlyKeepsViewAllFilesInFrontAndSaysSoOncePerClick) {
    QTabWidget& tabs = *window().results().dispResult;
    selected().path = "/home/Ann/Notes.txt";

    // Name and Text: the tab changes and no file stays selected.
    tabs.setCurrentIndex(1);
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_TRUE(selected().path.empty());
    EXPECT_TRUE(fixture.boxes.asked().empty());

    // A Name Only run brings the first tab forward without a word.
    window().panel().DispName->setChecked(true);
    view.displayChosen(true);
    view.showAllFilesTab();
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_TRUE(fixture.boxes.asked().empty());

    // The person asks for the tree: refused, once for each try.
    for (int attempt = 1; attempt <= 2; ++attempt) {
        selected().path = "/x";
        tabs.setCurrentIndex(1);
        EXPECT_EQ(tabs.currentIndex(), 0);
        ASSERT_EQ(fixture.boxes.asked().size(), static_cast<std::size_t>(attempt));
        const AskedBox& box = fixture.boxes.asked().back();
        EXPECT_EQ(box.text, "This tab is not available when Name Only is chosen!");
        EXPECT_EQ(box.title, "Tab Not Available");
        EXPECT_EQ(box.icon, MessageIcon::Information);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_TRUE(selected().path.empty());
    }

    // Until Name Only is chosen in the options, the refusal is silent.
    view.displayChosen(false);
    tabs.setCurrentIndex(1);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(fixture.boxes.asked().size(), 2u);
}

// The page takes its size only when the results are first shown; a pane
// placed before that reached below it, its last rows out of sight.
TEST_F(ResultViewTest, ThePanesEndWithinTheirTabPages) {
    // As a run shows them: the window first, the results when the run starts.
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().results().dispResult->show();
    for (int tab : {0, 1}) {
        window().results().dispResult->setCurrentIndex(tab);
        WindowFixture::settle();
        const QWidget& page = *window().results().dispResult->currentWidget();
        for (const QWidget* pane :
             page.findChildren<QAbstractScrollArea*>(Qt::FindDirectChildrenOnly))
            EXPECT_LE(pane->geometry().bottom(), page.height()) << pane->objectName().toStdString();
    }
}

TEST_F(ResultViewTest, PaneClickDuringARunBeepsAndReturnsTheCaretToTheEnd) {
    showResults();
    view.begin();
    add(1, "/home/Ann/Notes.txt");
    add(2, "/home/Ann/b.txt");
    GrowingRichTextBox& pane = *window().results().MainResult;
    const int end = static_cast<int>(pane.plainText().size());
    const QPoint firstLine(30, QFontMetrics(pane.font()).height() / 2 + 4);

    view.setRunInProgress(true);
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, firstLine);
    WindowFixture::settle();
    EXPECT_EQ(fixture.desktop.beeps(), 1);
    EXPECT_EQ(pane.caretOffset(), end);

    view.setRunInProgress(false);
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, firstLine);
    WindowFixture::settle();
    EXPECT_EQ(fixture.desktop.beeps(), 1);
    EXPECT_LT(pane.caretOffset(), 20);  // where the person clicked, in the first heading
}

// Thousands of matching files must not slow each new entry down: the pane
// is only extended, never laid out again from its start.
TEST_F(ResultViewTest, ThousandsOfEntriesAndTreeNodesStayCheap) {
    showResults();
    std::string lines;
    while (lines.size() < 500) lines += kHitLine;
    view.begin();
    // A cost that grows with what came before shows as the last thousand
    // taking far longer than the first; absolute times depend on the machine
    // (and on sanitizers).
    const auto timeThousand = [](const std::function<void(int)>& step, int from) {
        QElapsedTimer clock;
        clock.start();
        for (int count = from; count < from + 1000; ++count) step(count);
        return clock.elapsed();
    };
    const auto entry = [&](int count) {
        add(count, "/home/ann/docs/file" + std::to_string(count) + ".txt", lines);
    };
    const auto node = [&](int count) {
        view.addToTree("/home/ann/docs/d" + std::to_string(count % 50) + "/f" + std::to_string(count), 1,
                       count);
    };
    const qint64 firstEntries = timeThousand(entry, 1);
    for (int count = 1001; count <= 4000; ++count) entry(count);
    const qint64 lastEntries = timeThousand(entry, 4001);
    const qint64 firstNodes = timeThousand(node, 1);
    for (int count = 1001; count <= 4000; ++count) node(count);
    const qint64 lastNodes = timeThousand(node, 4001);
    std::printf("entries 1-1000: %lld ms, 4001-5000: %lld ms; tree files: %lld ms, %lld ms\n",
                static_cast<long long>(firstEntries), static_cast<long long>(lastEntries),
                static_cast<long long>(firstNodes), static_cast<long long>(lastNodes));
    EXPECT_LT(lastEntries, 3 * firstEntries + 200);
    EXPECT_LT(lastNodes, 3 * firstNodes + 200);
    EXPECT_EQ(view.treeNodeCount(), 5000 + 50 + 4);
}

TEST_F(ResultViewTest, ABurstOfEntriesGoesInOverSeveralTurnsInOrder) {
    showResults();
    std::string lines;
    while (lines.size() < 500) lines += kHitLine;
    const auto burst = [&](int first, int last) {
        for (int count = first; count <= last; ++count)
            addQuickly(count, "/home/ann/f" + std::to_string(count) + ".txt", lines);
    };
    const auto holds = [&](int count) {
        return window().results().MainResult->plainText().contains(
            QString::fromStdString(entryMarker(count) + "/home/ann/f" + std::to_string(count) + ".txt"));
    };
    view.begin();
    QTest::qWait(ResultView::kFlushInterval.count() + 10);
    // More than one slice can take on any machine.
    constexpr int kBurst = 10000;
    burst(1, kBurst);
    // A batch of a worker's results comes in one call, which the pane never
    // holds up; at the next turns it takes only what fits one at a time.
    EXPECT_FALSE(holds(1));
    QElapsedTimer clock;
    clock.start();
    while (!holds(1) && clock.elapsed() < 10'000) QCoreApplication::processEvents();
    EXPECT_TRUE(holds(1));
    EXPECT_FALSE(holds(kBurst));
    // The rest follows by itself, without another entry or the run's end.
    while (!holds(kBurst) && clock.elapsed() < 10'000) QTest::qWait(20);
    EXPECT_TRUE(holds(kBurst));
    burst(kBurst + 1, 2 * kBurst);
    view.flushEntries();
    EXPECT_TRUE(holds(2 * kBurst));
    const QString text = window().results().MainResult->plainText();
    qsizetype before = -1;
    for (int count = 1; count <= 2 * kBurst; count += 499) {
        const qsizetype at = text.indexOf(QString::fromStdString(entryMarker(count) + "/home/ann/f"));
        EXPECT_GT(at, before) << count;
        before = at;
    }
}

}  // namespace
}  // namespace tessaly::test
