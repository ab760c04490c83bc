// The search run in the window, from Start to its last sentence, over file
// trees built in a temporary folder, with the real engine.
#include "run/qt/search_run.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <future>

#include "platform/engine_access.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "run/qt/result_view.h"
#include "hostile_documents.h"
#include "scripted_file_system.h"
#include "search_start.h"
#include "scripted_program_services.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"
#include "shell/qt/program_shell.h"
#include "window/qt/services.h"
#include "temp_dir.h"

namespace tessaly::test {
namespace {

class Program : public ScriptedProgramServices {
public:
    explicit Program(int threads = 1, FileSystem& files = systemFileSystem())
        : ScriptedProgramServices(files),
          shell(services, data.path().string(), {}, installedEngine(), threads) {
        shell.load();
    }

    MainWindow& window() { return shell.window(); }

    // A Category of these folders, made current.
    void searchFolders(const std::vector<std::string>& folders) {
        window().criteria().listCategory->clear();
        for (const std::string& folder : folders)
            window().criteria().listCategory->addItem(QString::fromStdString(folder));
    }
    void words(const QString& first, const QString& second = {}) {
        window().criteria().searchText[0]->setText(first);
        window().criteria().searchText[1]->setText(second);
    }
    QString status() { return window().status().dispFile->text(); }
    // Start's click, and the window's event loop until the run has ended.
    void start() { startSearch(shell); }
    QString results() { return window().results().MainResult->plainText(); }

    TempDir data;
    ProgramShell shell;
};

// Three folders' worth of files: four mention the word, one is empty, one not.
// Opens files as the system does, but holds the run at the `at`-th file
// until the window has done `then` on its own thread, as a person pressing
// Stop or closing the window in the middle of a run would.
class HeldFileSystem final : public ScriptedFileSystem {
public:
    HeldFileSystem(int at, std::function<void()> then)
        : at_(at), then_(std::move(then)), released_(done_.get_future().share()) {}
    Failure openFile(const OpenFolder& folder, const std::string& name, int& fd) override {
        const int opened = ++opened_;
        if (opened == at_)
            QMetaObject::invokeMethod(qApp, [this] { then_(), done_.set_value(); }, Qt::QueuedConnection);
        // The files from the held one on wait too, so that no worker runs far ahead.
        if (opened >= at_) released_.wait();
        return ScriptedFileSystem::openFile(folder, name, fd);
    }

private:
    int at_;
    std::function<void()> then_;
    std::promise<void> done_;
    std::shared_future<void> released_;
    std::atomic<int> opened_{0};
};

struct Corpus {
    Corpus() {
        files.write("a/one.txt", "the invoice for march");
        files.write("a/two.txt", "nothing to see");
        files.write("a/empty.txt", "");
        files.write("a/sub/three.txt", "another invoice here");
        files.write("b/four.txt", "invoice invoice");
        files.write("b/five.log", "an invoice in a log");
    }
    std::string folder(const char* name) const { return (files.path() / name).string(); }
    TempDir files;
};

TEST(SearchRun, FromStartToFinishTheSameWithOneOrFourThreads) {
    Corpus corpus;
    std::string firstRtf;
    for (int threads : {1, 4}) {
        SCOPED_TRACE(threads);
        Program program(threads);
        MainWindow& w = program.window();
        program.searchFolders({corpus.folder("a"), corpus.folder("b")});
        program.words(QStringLiteral("invoice"));
        program.start();

        EXPECT_TRUE(program.boxes.asked().empty());
        EXPECT_EQ(program.status(), QStringLiteral("Search has completed!"));
        EXPECT_EQ(w.status().totalNumber->text(), QStringLiteral(" 4"));
        EXPECT_FALSE(w.criteria().frameSearch->isVisible());
        EXPECT_TRUE(w.results().dispResult->isVisible());
        EXPECT_TRUE(w.status().ImageRed->isVisible());
        EXPECT_FALSE(w.status().ImageGreen->isVisible());
        for (QPushButton* on : {w.commands().searchConfig, w.commands().searchPrint, w.commands().buttonView, w.commands().buttonDetail,
                                w.commands().searchSave})
            EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();
        for (QPushButton* off : {w.commands().searchNow, w.commands().viewPrev, w.commands().searchStop, w.commands().searchOption,
                                 w.commands().searchBrowse})
            EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
        EXPECT_EQ(w.results().MainResult->caretOffset(), 0);

        // Files first, then subfolders, folder by folder; numbered from 1.
        const QString text = program.results();
        const qsizetype one = text.indexOf(QStringLiteral("1. ") +
                                           QString::fromStdString(corpus.folder("a/one.txt")));
        const qsizetype three = text.indexOf(QStringLiteral("2. ") +
                                             QString::fromStdString(corpus.folder("a/sub/three.txt")));
        EXPECT_GE(one, 0);
        EXPECT_GT(three, one);
        EXPECT_TRUE(text.contains(QStringLiteral("4. ")));
        EXPECT_FALSE(text.contains(QStringLiteral("two.txt")));
        EXPECT_FALSE(text.contains(QStringLiteral("empty.txt")));
        EXPECT_TRUE(text.contains(QStringLiteral("the invoice for march")));

        // One root, the folders below it, a leaf per file.
        ASSERT_EQ(w.results().outlineFile->topLevelItemCount(), 1);
        EXPECT_EQ(w.results().outlineFile->topLevelItem(0)->text(0), QStringLiteral("/"));

        const std::string rtf = w.results().MainResult->rtf();
        if (firstRtf.empty()) {
            firstRtf = rtf;
        } else {
            EXPECT_EQ(rtf, firstRtf);
        }

        // Main goes back; Start again clears the old results.
        w.commands().searchConfig->click();
        EXPECT_TRUE(w.criteria().frameSearch->isVisible());
        EXPECT_TRUE(w.commands().searchNow->isEnabled());
        program.words(QStringLiteral("march"));
        program.start();
        EXPECT_EQ(w.status().totalNumber->text(), QStringLiteral(" 1"));
        bool oldFileInTree = false;
        for (QTreeWidgetItemIterator it(w.results().outlineFile); *it; ++it)
            oldFileInTree |= (*it)->text(0).contains(QStringLiteral("four.txt"));
        EXPECT_FALSE(oldFileInTree);
    }
}

TEST(SearchRun, StopEndsTheRunAfterTheFileInHand) {
    TempDir files;
    for (int i = 0; i < 40; ++i) files.write("f" + std::to_string(100 + i) + ".txt", "invoice");
    for (int threads : {1, 3}) {
        SCOPED_TRACE(threads);
        bool mainEnabledAtStop = false;
        MainWindow* window = nullptr;
        HeldFileSystem held(10, [&] {
            window->commands().searchStop->click();
            mainEnabledAtStop = window->commands().searchConfig->isEnabled();
        });
        Program program(threads, held);
        MainWindow& w = program.window();
        window = &w;
        program.searchFolders({files.path().string()});
        program.words(QStringLiteral("invoice"));
        program.start();
        EXPECT_TRUE(mainEnabledAtStop);
        EXPECT_EQ(program.status(), QStringLiteral("Search was stopped before its completion!"));
        const int found = w.status().totalNumber->text().trimmed().toInt();
        // Each thread holds a file when Stop comes: those are searched and shown, no more.
        EXPECT_GE(found, 10);
        EXPECT_LE(found, 10 + threads - 1);
        EXPECT_TRUE(program.results().contains(QStringLiteral("%1. ").arg(found)));
        EXPECT_FALSE(program.results().contains(QStringLiteral("%1. ").arg(found + 1)));
    }
}

// A document that would take for ever: Stop and closing the window end its
// reader at once, and the window answers all the while.
TEST(SearchRun, StopAndCloseEndADocumentThatNeverEnds) {
    TempDir files;
    files.write("forms.pdf", formChainPdf());
    for (const bool closing : {false, true}) {
        SCOPED_TRACE(closing);
        Program program;
        program.searchFolders({files.path().string()});
        program.words(QStringLiteral("needle"));
        QElapsedTimer clock;
        qint64 askedAt = -1, longestWait = 0, lastTurn = 0;
        QTimer turns;
        QObject::connect(&turns, &QTimer::timeout, [&] {
            longestWait = std::max(longestWait, clock.elapsed() - lastTurn);
            lastTurn = clock.elapsed();
        });
        turns.start(10);
        QTimer::singleShot(500, [&] {
            askedAt = clock.elapsed();
            if (closing) program.window().close();
            else program.window().commands().searchStop->click();
        });
        clock.start();
        program.start();
        ASSERT_GE(askedAt, 0);
        EXPECT_LT(clock.elapsed() - askedAt, 1000);
        EXPECT_LT(longestWait, 100);
        EXPECT_EQ(program.status(), QStringLiteral("Search was stopped before its completion!"));
    }
}

TEST(SearchRun, NameOnlyListsNamesAndLeavesTheTreeEmpty) {
    Corpus corpus;
    Program program;
    MainWindow& w = program.window();
    w.panel().DispName->setChecked(true);
    program.searchFolders({corpus.folder("b")});
    program.words(QStringLiteral("invoice"));
    program.start();
    EXPECT_EQ(w.status().totalNumber->text(), QStringLiteral(" 2"));
    EXPECT_FALSE(program.results().contains(QStringLiteral("invoice invoice")));
    EXPECT_EQ(w.results().outlineFile->topLevelItemCount(), 0);
    EXPECT_EQ(w.results().dispResult->currentIndex(), 0);
    // One hit and one word around it, kept for the single-file view.
    EXPECT_EQ(program.shell.searchRun().arguments().allHits, 0);
    EXPECT_EQ(program.shell.searchRun().arguments().contextWords, 1);
}

TEST(SearchRun, TheFileLimitEndsTheRunWithItsMessage) {
    Corpus corpus;
    Program program;
    MainWindow& w = program.window();
    program.shell.searchRun().setFileLimit(2);
    program.searchFolders({corpus.folder("a"), corpus.folder("b")});
    program.words(QStringLiteral("invoice"));
    program.start();
    ASSERT_EQ(program.boxes.asked().size(), 1u);
    EXPECT_EQ(program.boxes.asked()[0].text,
              QStringLiteral("More than 200 files found! Please refine current index!"));
    EXPECT_EQ(program.boxes.asked()[0].title, QStringLiteral("Too Many Files Found"));
    EXPECT_EQ(w.status().totalNumber->text(), QStringLiteral(" 2"));
    EXPECT_FALSE(program.results().contains(QStringLiteral("3. ")));
    EXPECT_EQ(program.status(), QStringLiteral("Too many files found! Please refine current index!"));
}

TEST(SearchRun, AMissingCategoryFolderIsReportedWithRetryIgnoreAbort) {
    Corpus corpus;
    const std::string missing = (corpus.files.path() / "later").string();
    const QString message =
        QStringLiteral("Some directories in current index are invalid! Please rebuild index! ( 76)");
    {
        // Ignore: the run ends with what it found before, and says that it
        // did not complete; the box names the folder.
        Program program;
        program.searchFolders({corpus.folder("b"), missing, corpus.folder("a")});
        program.words(QStringLiteral("invoice"));
        program.boxes.answer(MessageAnswer::Ignore);
        program.start();
        ASSERT_EQ(program.boxes.asked().size(), 1u);
        EXPECT_EQ(program.boxes.asked()[0].text, message + QStringLiteral("\n") + QString::fromStdString(missing));
        EXPECT_EQ(program.boxes.asked()[0].buttons, MessageButtons::AbortRetryIgnore);
        EXPECT_EQ(program.window().status().totalNumber->text(), QStringLiteral(" 2"));
        EXPECT_EQ(program.status(), QStringLiteral("Search did not complete!"));
        EXPECT_EQ(program.end.ended(), 0);
    }
    {
        // Abort ends the program.
        Program program;
        program.searchFolders({missing});
        program.words(QStringLiteral("invoice"));
        program.boxes.answer(MessageAnswer::Abort);
        program.start();
        EXPECT_EQ(program.end.ended(), 1);
    }
    {
        // Retry lists the folder again: here it was only out of reach once.
        ScriptedFileSystem files;
        files.fail("list", ENOENT, corpus.folder("b"), 1);
        Program program(1, files);
        program.searchFolders({corpus.folder("b")});
        program.words(QStringLiteral("invoice"));
        program.boxes.answer(MessageAnswer::Retry);
        program.start();
        ASSERT_EQ(program.boxes.asked().size(), 1u);
        EXPECT_EQ(program.boxes.asked()[0].text, message + QStringLiteral("\n") + QString::fromStdString(corpus.folder("b")));
        EXPECT_EQ(program.window().status().totalNumber->text(), QStringLiteral(" 2"));
        EXPECT_EQ(program.status(), QStringLiteral("Search has completed!"));
    }
}

TEST(SearchRun, DirectSearchWalksTheOneFolderShown) {
    Corpus corpus;
    Program program;
    MainWindow& w = program.window();
    program.searchFolders({corpus.folder("a")});
    w.criteria().chkQSearch->click();
    EXPECT_TRUE(w.criteria().qDirList->isEnabled());
    EXPECT_FALSE(w.criteria().searchCat->isEnabled());
    EXPECT_FALSE(w.commands().searchBrowse->isEnabled());
    ASSERT_FALSE(w.criteria().qDirList->setPath(corpus.folder("b")));
    // The folder searched is named above the list, which shows only what is in it.
    EXPECT_EQ(w.criteria().qDirPath->toolTip(), w.criteria().qDirList->displayPath());
    EXPECT_TRUE(w.criteria().qDirPath->toolTip().endsWith(QStringLiteral("/b")));
    program.words(QStringLiteral("invoice"));
    program.start();
    EXPECT_EQ(w.status().totalNumber->text(), QStringLiteral(" 2"));
    EXPECT_TRUE(program.results().contains(QStringLiteral("four.txt")));
    EXPECT_FALSE(program.results().contains(QStringLiteral("one.txt")));

    w.commands().searchConfig->click();
    w.criteria().chkQSearch->click();
    EXPECT_FALSE(w.criteria().qDirList->isEnabled());
    for (QWidget* back : {static_cast<QWidget*>(w.commands().searchBrowse), static_cast<QWidget*>(w.criteria().listCategory),
                          static_cast<QWidget*>(w.criteria().searchCat), static_cast<QWidget*>(w.criteria().wordList),
                          static_cast<QWidget*>(w.criteria().searchAdd)})
        EXPECT_TRUE(back->isEnabled()) << back->objectName().toStdString();
}

TEST(SearchRun, NothingToSearchOrNoWords) {
    Program program;
    MainWindow& w = program.window();
    // No words: refused, the criteria stay.
    program.start();
    ASSERT_EQ(program.boxes.asked().size(), 1u);
    EXPECT_EQ(program.boxes.asked()[0].title, QStringLiteral("Text Missing"));
    EXPECT_TRUE(w.criteria().frameSearch->isVisible() || !w.isVisible());
    EXPECT_FALSE(w.results().dispResult->isVisible());
    // No folders: said so, and no run pretends to have looked.
    program.words(QStringLiteral("invoice"));
    program.start();
    ASSERT_EQ(program.boxes.asked().size(), 2u);
    EXPECT_EQ(program.boxes.asked()[1].title, QStringLiteral("Nothing to Search"));
    EXPECT_NE(program.status(), QStringLiteral("Search has completed!"));
    EXPECT_FALSE(w.results().dispResult->isVisible());
}

TEST(SearchRun, ClosingTheWindowDuringARunStopsItSavesAndCloses) {
    TempDir files;
    for (int i = 0; i < 30; ++i) files.write("f" + std::to_string(i) + ".txt", "invoice");
    MainWindow* window = nullptr;
    HeldFileSystem held(5, [&] { window->close(); });
    Program program(1, held);
    MainWindow& w = program.window();
    window = &w;
    program.searchFolders({files.path().string()});
    program.words(QStringLiteral("invoice"));
    program.start();
    EXPECT_EQ(program.status(), QStringLiteral("Search was stopped before its completion!"));
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(std::filesystem::exists(program.data.path() / "tysetup.tyx"));
    EXPECT_EQ(std::filesystem::file_size(program.data.path() / "tysetup.tyx"), 500u);
}

TEST(SearchRun, WhatIsPassedOverIsCountedAndNamed) {
    Corpus corpus;
    const std::string a = corpus.folder("a");
    ASSERT_EQ(symlink("/", (a + "/rootlink").c_str()), 0);
    ASSERT_EQ(symlink((a + "/gone").c_str(), (a + "/dangling.txt").c_str()), 0);
    ScriptedFileSystem files;
    files.fail("open", EACCES, a + "/one.txt");
    for (int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        Program program(threads, files);
        program.searchFolders({a});
        program.words(QStringLiteral("invoice"));
        program.start();
        EXPECT_EQ(program.window().status().totalNumber->text(), QStringLiteral(" 1"));
        EXPECT_EQ(program.status(), QStringLiteral("Search has completed!   (3 passed over)"));
        const QString named = program.window().status().dispFile->toolTip();
        for (const char* part : {"dangling.txt: a link that leads nowhere", "one.txt: Permission denied",
                                 "rootlink: a link to a folder, not followed"})
            EXPECT_TRUE(named.contains(QString::fromUtf8(part))) << part << "\n" << named.toStdString();
    }
}

}  // namespace
}  // namespace tessaly::test
