// The program's start-up and shutdown, driven through the window's controls
// with every message box answered by script.
#include "shell/qt/program_shell.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "criteria/qt/option_controls.h"
#include "criteria/qt/scope_controls.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/growing_rich_text_box.h"
#include "shell/qt/help_window.h"
#include "run/qt/search_run.h"
#include "scripted_file_system.h"
#include "search_start.h"
#include "scripted_program_services.h"
#include "window/qt/main_window.h"
#include "window/qt/services.h"
#include "temp_dir.h"

namespace tessaly::test {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class Program : public ScriptedProgramServices {
public:
    explicit Program(const TempDir& data, FileSystem& files = systemFileSystem(),
                     QString guide = QStringLiteral("/nowhere/user-guide.html"))
        : ScriptedProgramServices(files), shell(services, data.path().string(), std::move(guide)) {}

    MainWindow& window() { return shell.window(); }
    // Loaded and the active window, as keys need it.
    MainWindow& activeWindow() {
        shell.load();
        window().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window()));
        return window();
    }

    ProgramShell shell;
};

TEST(ProgramShell, FirstStartWithoutDataFiles) {
    TempDir data;
    Program program(data);
    program.shell.load();
    MainWindow& w = program.window();

    EXPECT_TRUE(program.boxes.asked().empty());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tessaly 4.5"));
    EXPECT_EQ(w.dispFile->text(), QStringLiteral("Ready to search!"));
    EXPECT_TRUE(std::filesystem::exists(data.path() / "tyindex.ini"));
    EXPECT_EQ(std::filesystem::file_size(data.path() / "tyindex.ini"), 0u);
    EXPECT_EQ(w.searchCat->count(), 0);

    // The commands as they stand before a search.
    EXPECT_TRUE(w.searchNow->isEnabled());
    for (QWidget* off : {static_cast<QWidget*>(w.searchConfig), static_cast<QWidget*>(w.searchStop),
                         static_cast<QWidget*>(w.searchSave), static_cast<QWidget*>(w.searchPrint),
                         static_cast<QWidget*>(w.buttonView), static_cast<QWidget*>(w.buttonDetail),
                         static_cast<QWidget*>(w.searchRemove), static_cast<QWidget*>(w.searchCopy),
                         static_cast<QWidget*>(w.searchAdd)})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_FALSE(w.frameAdvanced->isVisible());
    EXPECT_TRUE(w.ImageRed->isVisible());
    EXPECT_FALSE(w.ImageGreen->isVisible());

    // The summary of the defaults; nearby is off, so NEARBY cannot be chosen.
    EXPECT_TRUE(w.caseNo->isVisible());
    EXPECT_FALSE(w.caseYes->isVisible());
    EXPECT_FALSE(w.smartYes->isVisible());
    EXPECT_FALSE(w.smartNo->isVisible());
    EXPECT_TRUE(w.subYes->isVisible());
    EXPECT_TRUE(w.showOne->isVisible());
    EXPECT_TRUE(w.numTen->isVisible());
    EXPECT_EQ(w.timeStamp->text(), QStringLiteral("All Files"));
    EXPECT_EQ(w.lblExt->text(), QStringLiteral("All File Types"));
    EXPECT_EQ(w.nearbyLabel->text(), QStringLiteral("Don't Apply"));
    EXPECT_EQ(w.dispOption->text(), QStringLiteral("Name and Text"));
    EXPECT_EQ(w.lblBeginning->text(), QStringLiteral("Beginning of File"));
    EXPECT_EQ(w.beginningLetter->text(), QStringLiteral("Any Letters"));
    for (const OperatorGroup* group : {&w.Opt1, &w.Opt2, &w.Opt3}) {
        EXPECT_TRUE((*group)[0]->isChecked());
        EXPECT_FALSE((*group)[3]->isEnabled());
    }

    // Direct search is off, its lists disabled and open on the data folder.
    EXPECT_FALSE(w.chkQSearch->isChecked());
    EXPECT_FALSE(w.qDirList->isEnabled());
    EXPECT_EQ(w.qDirList->path(), data.path().string());
    EXPECT_EQ(w.widthTwips(), 8280);
    EXPECT_EQ(w.dividerLeft(), 3000);
}

TEST(ProgramShell, ClosingSavesWhatTheNextStartShows) {
    TempDir data;
    data.write("tyindex.ini", "[Work]\r\n/docs\r\n/data\r\n[Home]\r\n/home\r\n");
    data.write("tyword.ini", "[Work]\r\ninvoice\r\n");
    {
        Program first(data);
        first.shell.load();
        MainWindow& w = first.window();
        w.searchCat->setCurrentIndex(0);
        emit w.searchCat->activated(0);
        w.optCase->setChecked(true);
        w.fileText->setText(QStringLiteral("  ab "));
        w.resultOpt[0]->setChecked(true);
        w.setWidthTwips(9000);
        w.close();
        EXPECT_TRUE(first.boxes.asked().empty());
    }
    EXPECT_EQ(std::filesystem::file_size(data.path() / "tysetup.tyx"), 500u);

    Program second(data);
    second.shell.load();
    MainWindow& w = second.window();
    EXPECT_EQ(w.searchCat->currentText(), QStringLiteral("Work"));
    ASSERT_EQ(w.listCategory->count(), 2);
    EXPECT_EQ(w.listCategory->item(1)->text(), QStringLiteral("/data"));
    ASSERT_EQ(w.wordList->count(), 1);
    EXPECT_EQ(w.wordList->item(0)->text(), QStringLiteral("invoice"));
    EXPECT_TRUE(w.optCase->isChecked());
    EXPECT_TRUE(w.caseYes->isVisible());
    EXPECT_TRUE(w.resultOpt[0]->isChecked());
    EXPECT_EQ(w.fileText->text(), QStringLiteral("ab"));
    EXPECT_EQ(w.beginningLetter->text(), QStringLiteral("ab"));
    EXPECT_EQ(w.dispFile->text(), QStringLiteral("Ready to search!"));
    EXPECT_NEAR(w.widthTwips(), 9000, 15);
}

TEST(ProgramShell, ExitSavesOnceAndAsksTheProgramToEnd) {
    TempDir data;
    ScriptedFileSystem files;
    Program program(data, files);
    program.shell.load();
    QSignalSpy exits(&program.shell, &ProgramShell::exitRequested);
    program.window().stExit->click();
    EXPECT_EQ(exits.count(), 1);
    EXPECT_EQ(std::filesystem::file_size(data.path() / "tysetup.tyx"), 500u);
    // Had the window closed after &Exit, it must not write the file again.
    const auto renames = [&] {
        int count = 0;
        for (const std::string& call : files.calls()) count += call.rfind("rename ", 0) == 0;
        return count;
    };
    const int afterExit = renames();
    program.window().close();
    EXPECT_EQ(renames(), afterExit);
}

TEST(ProgramShell, AFailedSaveIsReportedAndTheOldFileKept) {
    TempDir data;
    Program writer(data);
    writer.shell.load();
    writer.window().optCase->setChecked(true);
    writer.window().close();
    const std::string saved = readFile((data.path() / "tysetup.tyx").string());

    struct Case {
        MessageAnswer answer;
        int ended;
    };
    for (const Case c : {Case{MessageAnswer::Ignore, 0}, Case{MessageAnswer::Abort, 1}}) {
        ScriptedFileSystem files;
        Program program(data, files);
        program.shell.load();
        files.fail("rename", ENOSPC);
        program.window().optCase->setChecked(false);
        program.boxes.answer(c.answer);
        program.window().close();
        ASSERT_EQ(program.boxes.asked().size(), 1u);
        EXPECT_TRUE(program.boxes.asked()[0].text.startsWith(
            QStringLiteral("Disk full! Please free some disk space! ( 61)")));
        EXPECT_EQ(program.boxes.asked()[0].title, QStringLiteral("Operation Error"));
        EXPECT_EQ(program.boxes.asked()[0].buttons, MessageButtons::AbortRetryIgnore);
        EXPECT_EQ(program.end.ended(), c.ended);
        EXPECT_EQ(readFile((data.path() / "tysetup.tyx").string()), saved);
    }

    // Retry after the disk has room again saves.
    ScriptedFileSystem files;
    Program program(data, files);
    program.shell.load();
    files.fail("rename", ENOSPC, {}, 1);
    program.window().optCase->setChecked(false);
    program.boxes.answer(MessageAnswer::Retry);
    program.window().close();
    EXPECT_EQ(program.boxes.asked().size(), 1u);
    EXPECT_NE(readFile((data.path() / "tysetup.tyx").string()), saved);
}

TEST(ProgramShell, AnUnwritableDataFolderIsSaidOnceAtStartUp) {
    TempDir data;
    ScriptedFileSystem files;
    files.fail("write", EACCES);
    files.fail("append", EACCES);
    files.fail("rename", EACCES);
    Program program(data, files);
    program.shell.load();
    ASSERT_EQ(program.boxes.asked().size(), 1u);
    EXPECT_EQ(program.boxes.asked()[0].title, QStringLiteral("Data Folder Not Writable"));
    EXPECT_EQ(program.window().dispFile->text(), QStringLiteral("Ready to search!"));
    EXPECT_EQ(program.window().beginningLetter->text(), QStringLiteral("Any Letters"));
    program.window().close();
    EXPECT_EQ(program.boxes.asked().size(), 1u);
    EXPECT_EQ(program.end.ended(), 0);
}

TEST(ProgramShell, ADamagedSettingsFileGivesTheDefaultsWithAWord) {
    TempDir data;
    std::string damaged(500, '\0');
    damaged[15] = static_cast<char>(250);   // an extension list
    damaged[266] = static_cast<char>(250);  // and a from-date running past the record
    data.write("tysetup.tyx", damaged);
    Program program(data);
    program.shell.load();
    ASSERT_EQ(program.boxes.asked().size(), 1u);
    EXPECT_EQ(program.boxes.asked()[0].title, QStringLiteral("Settings Damaged"));
    EXPECT_TRUE(program.window().searchSub->isChecked());
}

// The second page of the options panel: reached by keyboard, shown in the
// summary, kept in tysetup.ini beside the record, and a value that file
// cannot give back is named once.
TEST(ProgramShell, WhichFilesAreSavedAndRestored) {
    TempDir data;
    {
        Program first(data);
        MainWindow& w = first.activeWindow();
        EXPECT_EQ(w.scopeLabel->text(), QStringLiteral("Usual Files"));
        w.searchOption->click();
        w.searchScope->click();
        ASSERT_TRUE(w.frameScope->isVisible());
        EXPECT_FALSE(w.frameAdvanced->isVisible());
        ASSERT_EQ(QApplication::focusWidget(), w.scopeFolders);
        QStringList reached;
        for (int step = 0; step < 7; ++step) {
            reached << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(reached, (QStringList{"scopeFolders", "scopeHidden", "scopeBinary", "scopeDocuments",
                                        "scopeSize", "scopeDocumentTime", "scopeBack"}));
        QTest::keyClicks(w.scopeFolders, QStringLiteral(".git;  Old Mail ;"));
        w.scopeHidden->setChecked(true);
        w.scopeDocuments->setChecked(false);
        w.scopeSize->setValue(10);
        w.scopeDocumentTime->setValue(5);
        w.scopeBack->click();
        EXPECT_TRUE(w.frameAdvanced->isVisible());
        w.advOK->click();
        EXPECT_EQ(w.scopeLabel->text(), QStringLiteral("Hidden, Up to 10 MB, Documents Raw, 2 Folders Left Out"));
        w.close();
        EXPECT_TRUE(first.boxes.asked().empty());
    }
    EXPECT_EQ(std::filesystem::file_size(data.path() / "tysetup.tyx"), 500u);
    {
        Program second(data);
        second.shell.load();
        MainWindow& w = second.window();
        EXPECT_EQ(w.scopeFolders->text(), QStringLiteral(".git; Old Mail"));
        EXPECT_TRUE(w.scopeHidden->isChecked());
        EXPECT_FALSE(w.scopeBinary->isChecked());
        EXPECT_FALSE(w.scopeDocuments->isChecked());
        EXPECT_EQ(w.scopeSize->value(), 10);
        EXPECT_EQ(readScope(w).largestFileSize, 10u << 20);
        EXPECT_EQ(readScope(w).documentSecondsLimit, 5u);
        EXPECT_EQ(w.scopeLabel->text(), QStringLiteral("Hidden, Up to 10 MB, Documents Raw, 2 Folders Left Out"));
    }

    // A size in bytes shows rounded up and comes back as it was while left alone.
    data.write("tysetup.ini", "[Scope]\r\nlargestFileSize=1500\r\nbinaryIncluded=perhaps\r\n");
    Program third(data);
    third.shell.load();
    ASSERT_EQ(third.boxes.asked().size(), 1u);
    EXPECT_EQ(third.boxes.asked()[0].title, QStringLiteral("Settings Damaged"));
    EXPECT_TRUE(third.boxes.asked()[0].text.contains(QStringLiteral("(binaryIncluded)")));
    EXPECT_EQ(third.window().scopeSize->value(), 1);
    EXPECT_EQ(readScope(third.window()).largestFileSize, 1500u);
    EXPECT_EQ(readScope(third.window()).binaryIncluded, false);
}

TEST(ProgramShell, TheDividerAndTheWidthComeBack) {
    // A divider far to the right fits only the wider windows it was set in.
    const struct {
        int width;
        int divider;
    } cases[] = {{8280, 2500}, {12000, 7000}, {16000, 11000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        TempDir data;
        {
            Program first(data);
            first.shell.load();
            first.window().setWidthTwips(c.width);
            first.window().setDividerLeft(c.divider);
            emit first.window().dividerMoved(c.divider);
            first.window().close();
        }
        Program second(data);
        second.shell.load();
        EXPECT_EQ(second.window().dividerLeft(), c.divider);
        EXPECT_EQ(second.window().state.geometry.splitterLeft, c.divider);
        EXPECT_NEAR(second.window().widthTwips(), c.width, 30);
    }
}

// The very first start makes a Category of the person's documents, so that
// the first search finds something; never again once the category file is there.
TEST(ProgramShell, TheFirstStartOffersACategoryOnce) {
    TempDir data, home;
    const std::string documents = (home.path() / "Documents").string();
    std::filesystem::create_directories(documents);
    {
        Program first(data);
        first.shell.offerFirstCategory(documents);
        first.shell.load();
        EXPECT_EQ(first.window().searchCat->currentText(), QStringLiteral("Documents"));
        ASSERT_EQ(first.window().listCategory->count(), 1);
        EXPECT_EQ(first.window().listCategory->item(0)->text().toStdString(), documents);
        EXPECT_TRUE(first.boxes.asked().empty());
        first.window().close();
    }
    // Deleted since: the category file is there, and stays as the person left it.
    std::ofstream(data.path() / "tyindex.ini", std::ios::trunc).flush();
    Program second(data);
    second.shell.offerFirstCategory(documents);
    second.shell.load();
    EXPECT_EQ(second.window().searchCat->count(), 0);
}

TEST(ProgramShell, TheResultsTakeATallerWindow) {
    TempDir data;
    Program program(data);
    program.shell.load();
    MainWindow& w = program.window();
    const int results = w.dispResult->height(), status = w.dispFile->y();
    w.resize(w.width(), w.height() + 300);
    EXPECT_EQ(w.dispResult->height(), results + 300);
    EXPECT_EQ(w.dispFile->y(), status + 300);
    EXPECT_LE(w.dispResult->geometry().bottom(), w.dispFile->y());
    // Never less than the least height the rows need.
    w.resize(w.width(), 100);
    EXPECT_EQ(w.dispResult->height(), results);
}

// A long summary value is shown whole, beside its caption.
TEST(ProgramShell, ALongSummaryValueIsShownWhole) {
    TempDir data;
    Program program(data);
    program.shell.load();
    MainWindow& w = program.window();
    w.optFromTo->setChecked(true);
    w.dateFrom->setText(QStringLiteral("12/28/2021"));
    w.dateTo->setText(QStringLiteral("12/28/2026"));
    refreshSummary(w);
    w.layOut();
    EXPECT_GE(w.timeStamp->width(), w.timeStamp->fontMetrics().horizontalAdvance(w.timeStamp->text()));
    EXPECT_GT(w.timeStamp->x(), w.Label12->x() + w.Label12->fontMetrics().horizontalAdvance(w.Label12->text()));
}

// A screen reader reads each value of the summary, described by its caption.
TEST(ProgramShell, TheSummaryValuesAreReadOut) {
    TempDir data;
    Program program(data);
    program.shell.load();
    MainWindow& w = program.window();
    const struct {
        QLabel* value;
        const char* caption;
    } cases[] = {{w.caseNo, "Match Case"}, {w.timeStamp, "Time Stamp"}};
    for (const auto& c : cases) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(c.value);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->text(QAccessible::Name), c.value->text());
        EXPECT_EQ(read->text(QAccessible::Description), QString::fromLatin1(c.caption));
    }
    // The Category box is named by its caption, which labels it.
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(w.searchCat);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("Group of Folders"));
    const auto labels = box->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->object(), w.lblCat);
}

// Tab reaches every control in use, as a person reads the window: each word
// with its operator, the Category, Direct Search and its lists, the saved words.
TEST(ProgramShell, TabGoesInReadingOrder) {
    TempDir data;
    Program program(data);
    MainWindow& w = program.activeWindow();
    w.chkQSearch->click();
    w.searchText[0]->setFocus();
    QStringList reached;
    for (int step = 0; step < 40 && !reached.contains(QApplication::focusWidget()->objectName()); ++step) {
        reached << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const QStringList expected = {"searchText_0", "Opt1_0", "searchText_1", "Opt2_0", "searchText_2",
                                  "Opt3_0",       "searchText_3", "chkQSearch", "qDrive", "qDirList",
                                  "searchNow"};
    qsizetype at = -1;
    for (const QString& name : expected) {
        const qsizetype found = reached.indexOf(name);
        EXPECT_GT(found, at) << name.toStdString() << " in " << reached.join(' ').toStdString();
        at = std::max(at, found);
    }
}

TEST(ProgramShell, TheKeysALinuxUserPresses) {
    TempDir data;
    Program program(data);
    MainWindow& w = program.activeWindow();
    EXPECT_EQ(QApplication::focusWidget(), w.searchText[0]) << "the window opens on word 1";
    QSignalSpy started(w.searchNow, &QPushButton::clicked), stopped(w.searchStop, &QPushButton::clicked),
        helped(w.helpCfg, &QPushButton::clicked), exited(w.stExit, &QPushButton::clicked);

    // Ctrl+F, then Enter in the word box: Start.
    w.searchText[2]->setFocus();
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.searchText[0]);
    QTest::keyClick(w.searchText[0], Qt::Key_Return);
    EXPECT_EQ(started.count(), 1);
    // Escape only where Stop could be clicked.
    w.searchStop->setEnabled(false);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_EQ(stopped.count(), 0);
    w.searchStop->setEnabled(true);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_EQ(stopped.count(), 1);
    QTest::keyClick(&w, Qt::Key_F1);
    EXPECT_EQ(helped.count(), 1);
    QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(exited.count(), 1);
}

// The window shown, searching the one folder of `tree`.
MainWindow& directSearchIn(Program& program, const TempDir& tree) {
    program.shell.startDirectSearchIn(tree.path().string());
    MainWindow& w = program.activeWindow();
    w.chkQSearch->click();
    return w;
}

// Enter on a refused word shows the refusal and searches nothing; Enter
// again, insisting, searches, and the boxes the run disables are not checked
// again over its results.
TEST(ProgramShell, EnterOnARefusedWordRefusesOnly) {
    TempDir data, tree;
    tree.write("note.txt", "abxcd");
    Program program(data);
    MainWindow& w = directSearchIn(program, tree);
    QTest::keyClicks(w.searchText[0], QStringLiteral("ab*cd"));

    QTest::keyClick(w.searchText[0], Qt::Key_Return);
    ASSERT_EQ(program.boxes.asked().size(), 1u);
    EXPECT_EQ(program.boxes.asked()[0].text,
              QStringLiteral("Only single word with wild card * at beginning or end is supported!"));
    EXPECT_FALSE(w.dispResult->isVisible()) << "nothing was searched";
    EXPECT_EQ(QApplication::focusWidget(), w.searchText[0]);

    QEventLoop untilEnded;
    QObject::connect(&program.shell.searchRun(), &SearchRun::finished, &untilEnded, &QEventLoop::quit);
    QTest::keyClick(w.searchText[0], Qt::Key_Return);
    if (program.shell.searchRun().running()) untilEnded.exec();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.dispResult->isVisible());
    EXPECT_EQ(program.boxes.asked().size(), 1u) << "no refusal over the results";
}

TEST(ProgramShell, DirectSearchOpensWhereItIsTold) {
    TempDir data, tree;
    Program program(data);
    program.shell.startDirectSearchIn(tree.path().string());
    program.shell.load();
    EXPECT_EQ(program.window().qDirList->path(), tree.path().string());
}

// The first run shows the result pane inside its tab page, the lower arrow
// of its scroll bar too, in a window made taller before it.
TEST(ProgramShell, TheResultPaneFitsItsPageOnTheFirstRun) {
    TempDir data, tree;
    tree.write("note.txt", "word");
    Program program(data);
    MainWindow& w = directSearchIn(program, tree);
    w.resize(w.width(), w.height() + 200);
    w.searchText[0]->setText(QStringLiteral("word"));
    startSearch(program.shell);
    QCoreApplication::processEvents();
    for (QWidget* pane : {static_cast<QWidget*>(w.MainResult), static_cast<QWidget*>(w.outlineFile)}) {
        SCOPED_TRACE(pane->objectName().toStdString());
        const QWidget* page = pane->parentWidget();
        ASSERT_TRUE(page->isVisible() || pane != w.MainResult);
        if (!page->isVisible()) w.dispResult->setCurrentIndex(1);
        EXPECT_LE(pane->geometry().bottom(), page->height() - 1);
        EXPECT_LE(page->mapTo(&w, QPoint(0, page->height())).y(),
                  w.dispResult->geometry().bottom() + 1);
    }
}

// Direct Search's folder list shows three folders and more beside its
// label, and the extension box keeps inside its group's frame.
TEST(ProgramShell, ListsAndBoxesKeepTheirRoom) {
    TempDir data, tree;
    for (const char* folder : {"a", "b", "c", "d"}) std::filesystem::create_directories(tree.path() / folder);
    Program program(data);
    program.shell.startDirectSearchIn(tree.path().string());
    MainWindow& w = program.activeWindow();
    ASSERT_GT(w.qDirList->count(), 3);
    EXPECT_GE(w.qDirList->viewport()->height(), 3 * w.qDirList->sizeHintForRow(0));
    EXPECT_TRUE(w.frameTypes->contentsRect().contains(w.typeText->geometry()));
}

TEST(ProgramShell, HelpOpensTheDataFoldersHelpFileOrTheGuide) {
    TempDir data;
    {
        TempDir shipped;
        const std::string guide = shipped.write("guide.html", "<html>help</html>");
        Program program(data, systemFileSystem(), QString::fromStdString(guide));
        program.shell.load();
        program.window().helpCfg->click();
        ASSERT_EQ(program.desktop.opened().size(), 1u);
        EXPECT_EQ(program.desktop.opened()[0], guide);
    }
    const std::string help = data.write("tessalyw.hlp", "help");
    Program program(data);
    program.shell.load();
    program.window().helpCfg->click();
    ASSERT_EQ(program.desktop.opened().size(), 1u);
    EXPECT_EQ(program.desktop.opened()[0], help);
    EXPECT_EQ(program.shell.helpWindow(), nullptr);
}

// Where nothing on the desktop would open the guide, the program shows it.
TEST(ProgramShell, HelpWithoutABrowserShowsTheGuideInTheProgram) {
    TempDir data, shipped;
    const std::string guide = shipped.write("guide.html", "<html><body>How to search</body></html>");
    Program program(data, systemFileSystem(), QString::fromStdString(guide));
    program.desktop.failOpening(Failure{code::pathFileAccessError, 0, "open", guide});
    program.shell.load();
    program.window().helpCfg->click();
    ASSERT_NE(program.shell.helpWindow(), nullptr);
    EXPECT_TRUE(program.shell.helpWindow()->isVisible());
    EXPECT_TRUE(program.shell.helpWindow()->browser().toPlainText().contains(QStringLiteral("How to search")));
    EXPECT_TRUE(program.boxes.asked().empty());
}

}  // namespace
}  // namespace tessaly::test
