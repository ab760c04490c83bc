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
#include <QRegularExpression>
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
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/option_summary.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"
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
    EXPECT_EQ(w.status().dispFile->text(), QStringLiteral("Ready to search!"));
    EXPECT_TRUE(std::filesystem::exists(data.path() / "tyindex.ini"));
    EXPECT_EQ(std::filesystem::file_size(data.path() / "tyindex.ini"), 0u);
    EXPECT_EQ(w.criteria().searchCat->count(), 0);

    // The commands as they stand before a search.
    EXPECT_TRUE(w.commands().searchNow->isEnabled());
    for (QWidget* off : {static_cast<QWidget*>(w.commands().searchConfig), static_cast<QWidget*>(w.commands().searchStop),
                         static_cast<QWidget*>(w.commands().searchSave), static_cast<QWidget*>(w.commands().searchPrint),
                         static_cast<QWidget*>(w.commands().buttonView), static_cast<QWidget*>(w.commands().buttonDetail),
                         static_cast<QWidget*>(w.criteria().searchRemove), static_cast<QWidget*>(w.criteria().searchCopy),
                         static_cast<QWidget*>(w.criteria().searchAdd)})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_FALSE(w.panel().frameAdvanced->isVisible());
    EXPECT_TRUE(w.status().ImageRed->isVisible());
    EXPECT_FALSE(w.status().ImageGreen->isVisible());

    // The summary of the defaults; nearby is off, so NEARBY cannot be chosen.
    EXPECT_TRUE(w.summary().caseNo->isVisible());
    EXPECT_FALSE(w.summary().caseYes->isVisible());
    EXPECT_FALSE(w.summary().smartYes->isVisible());
    EXPECT_FALSE(w.summary().smartNo->isVisible());
    EXPECT_TRUE(w.summary().subYes->isVisible());
    EXPECT_TRUE(w.summary().showOne->isVisible());
    EXPECT_TRUE(w.summary().numTen->isVisible());
    EXPECT_EQ(w.summary().timeStamp->text(), QStringLiteral("All Files"));
    EXPECT_EQ(w.summary().lblExt->text(), QStringLiteral("All File Types"));
    EXPECT_EQ(w.summary().nearbyLabel->text(), QStringLiteral("Don't Apply"));
    EXPECT_EQ(w.summary().dispOption->text(), QStringLiteral("Name and Text"));
    EXPECT_EQ(w.summary().lblBeginning->text(), QStringLiteral("Beginning of File"));
    EXPECT_EQ(w.summary().beginningLetter->text(), QStringLiteral("Any Letters"));
    for (const OperatorGroup* group : {&w.criteria().Opt1, &w.criteria().Opt2, &w.criteria().Opt3}) {
        EXPECT_TRUE((*group)[0]->isChecked());
        EXPECT_FALSE((*group)[3]->isEnabled());
    }

    // Direct search is off, its lists disabled and open on the data folder.
    EXPECT_FALSE(w.criteria().chkQSearch->isChecked());
    EXPECT_FALSE(w.criteria().qDirList->isEnabled());
    EXPECT_EQ(w.criteria().qDirList->path(), data.path().string());
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
        w.criteria().searchCat->setCurrentIndex(0);
        emit w.criteria().searchCat->activated(0);
        w.panel().optCase->setChecked(true);
        w.panel().fileText->setText(QStringLiteral("  ab "));
        w.panel().resultOpt[0]->setChecked(true);
        w.setWidthTwips(9000);
        w.close();
        EXPECT_TRUE(first.boxes.asked().empty());
    }
    EXPECT_EQ(std::filesystem::file_size(data.path() / "tysetup.tyx"), 500u);

    Program second(data);
    second.shell.load();
    MainWindow& w = second.window();
    EXPECT_EQ(w.criteria().searchCat->currentText(), QStringLiteral("Work"));
    ASSERT_EQ(w.criteria().listCategory->count(), 2);
    EXPECT_EQ(w.criteria().listCategory->item(1)->text(), QStringLiteral("/data"));
    ASSERT_EQ(w.criteria().wordList->count(), 1);
    EXPECT_EQ(w.criteria().wordList->item(0)->text(), QStringLiteral("invoice"));
    EXPECT_TRUE(w.panel().optCase->isChecked());
    EXPECT_TRUE(w.summary().caseYes->isVisible());
    EXPECT_TRUE(w.panel().resultOpt[0]->isChecked());
    EXPECT_EQ(w.panel().fileText->text(), QStringLiteral("ab"));
    EXPECT_EQ(w.summary().beginningLetter->text(), QStringLiteral("ab"));
    EXPECT_EQ(w.status().dispFile->text(), QStringLiteral("Ready to search!"));
    EXPECT_NEAR(w.widthTwips(), 9000, 15);
}

TEST(ProgramShell, ExitSavesOnceAndAsksTheProgramToEnd) {
    TempDir data;
    ScriptedFileSystem files;
    Program program(data, files);
    program.shell.load();
    QSignalSpy exits(&program.shell, &ProgramShell::exitRequested);
    program.window().commands().stExit->click();
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
    writer.window().panel().optCase->setChecked(true);
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
        program.window().panel().optCase->setChecked(false);
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
    program.window().panel().optCase->setChecked(false);
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
    EXPECT_EQ(program.window().status().dispFile->text(), QStringLiteral("Ready to search!"));
    EXPECT_EQ(program.window().summary().beginningLetter->text(), QStringLiteral("Any Letters"));
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
    EXPECT_TRUE(program.window().panel().searchSub->isChecked());
}

// The second page of the options panel: reached by keyboard, shown in the
// summary, kept in tysetup.ini beside the record, and a value that file
// cannot give back is named once.
TEST(ProgramShell, WhichFilesAreSavedAndRestored) {
    TempDir data;
    {
        Program first(data);
        MainWindow& w = first.activeWindow();
        EXPECT_EQ(w.summary().scopeLabel->text(), QStringLiteral("Usual Files"));
        w.commands().searchOption->click();
        w.panel().searchScope->click();
        ASSERT_TRUE(w.panel().frameScope->isVisible());
        EXPECT_FALSE(w.panel().frameAdvanced->isVisible());
        const QRegularExpression remembered(QStringLiteral("^[0-9,]+ files? remembered, [0-9]+\\.[0-9] MB$"));
        EXPECT_TRUE(remembered.match(w.panel().scopeRemembered->text()).hasMatch())
            << w.panel().scopeRemembered->text().toStdString();
        ASSERT_EQ(QApplication::focusWidget(), w.panel().scopeFolders);
        QStringList reached;
        for (int step = 0; step < 10; ++step) {
            reached << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(reached, (QStringList{"scopeFolders", "scopeHidden", "scopeBinary", "scopeDocuments",
                                        "scopeSize", "scopeDocumentTime", "scopeNames", "scopeRemember",
                                        "scopeForget", "scopeBack"}));
        QTest::keyClicks(w.panel().scopeFolders, QStringLiteral(".git;  Old Mail ;"));
        w.panel().scopeHidden->setChecked(true);
        w.panel().scopeDocuments->setChecked(false);
        w.panel().scopeSize->setValue(10);
        w.panel().scopeDocumentTime->setValue(5);
        EXPECT_TRUE(w.panel().scopeRemember->isChecked());
        w.panel().scopeRemember->setChecked(false);
        EXPECT_FALSE(w.panel().scopeNames->isChecked());
        w.panel().scopeNames->setChecked(true);
        w.panel().scopeBack->click();
        EXPECT_TRUE(w.panel().frameAdvanced->isVisible());
        w.panel().advOK->click();
        EXPECT_EQ(w.summary().scopeLabel->text(),
                  QStringLiteral("Hidden, Up to 10 MB, Documents Raw, No Remembered Words, Names Too, 2 Folders Left Out"));
        w.close();
        EXPECT_TRUE(first.boxes.asked().empty());
    }
    EXPECT_EQ(std::filesystem::file_size(data.path() / "tysetup.tyx"), 500u);
    {
        Program second(data);
        second.shell.load();
        MainWindow& w = second.window();
        EXPECT_EQ(w.panel().scopeFolders->text(), QStringLiteral(".git; Old Mail"));
        EXPECT_TRUE(w.panel().scopeHidden->isChecked());
        EXPECT_FALSE(w.panel().scopeBinary->isChecked());
        EXPECT_FALSE(w.panel().scopeDocuments->isChecked());
        EXPECT_EQ(w.panel().scopeSize->value(), 10);
        EXPECT_EQ(readScope(w).largestFileSize, 10u << 20);
        EXPECT_EQ(readScope(w).documentSecondsLimit, 5u);
        EXPECT_FALSE(w.panel().scopeRemember->isChecked());
        EXPECT_TRUE(w.panel().scopeNames->isChecked());
        w.panel().scopeForget->click();
        ASSERT_EQ(second.boxes.asked().size(), 1u);
        EXPECT_TRUE(second.boxes.asked()[0].text.contains(QStringLiteral("forgotten")))
            << second.boxes.asked()[0].text.toStdString();
        EXPECT_TRUE(w.panel().scopeRemembered->text().contains(QStringLiteral(" remembered, ")))
            << w.panel().scopeRemembered->text().toStdString();
        EXPECT_EQ(w.summary().scopeLabel->text(),
                  QStringLiteral("Hidden, Up to 10 MB, Documents Raw, No Remembered Words, Names Too, 2 Folders Left Out"));
    }

    // A size in bytes shows rounded up and comes back as it was while left alone.
    data.write("tysetup.ini", "[Scope]\r\nlargestFileSize=1500\r\nbinaryIncluded=perhaps\r\n");
    Program third(data);
    third.shell.load();
    ASSERT_EQ(third.boxes.asked().size(), 1u);
    EXPECT_EQ(third.boxes.asked()[0].title, QStringLiteral("Settings Damaged"));
    EXPECT_TRUE(third.boxes.asked()[0].text.contains(QStringLiteral("(binaryIncluded)")));
    EXPECT_EQ(third.window().panel().scopeSize->value(), 1);
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
        EXPECT_EQ(first.window().criteria().searchCat->currentText(), QStringLiteral("Documents"));
        ASSERT_EQ(first.window().criteria().listCategory->count(), 1);
        EXPECT_EQ(first.window().criteria().listCategory->item(0)->text().toStdString(), documents);
        EXPECT_TRUE(first.boxes.asked().empty());
        first.window().close();
    }
    // Deleted since: the category file is there, and stays as the person left it.
    std::ofstream(data.path() / "tyindex.ini", std::ios::trunc).flush();
    Program second(data);
    second.shell.offerFirstCategory(documents);
    second.shell.load();
    EXPECT_EQ(second.window().criteria().searchCat->count(), 0);
}

TEST(ProgramShell, TheResultsTakeATallerWindow) {
    TempDir data;
    Program program(data);
    program.shell.load();
    MainWindow& w = program.window();
    const int results = w.results().dispResult->height(), status = w.status().dispFile->y();
    w.resize(w.width(), w.height() + 300);
    EXPECT_EQ(w.results().dispResult->height(), results + 300);
    EXPECT_EQ(w.status().dispFile->y(), status + 300);
    EXPECT_LE(w.results().dispResult->geometry().bottom(), w.status().dispFile->y());
    // Never less than the least height the rows need.
    w.resize(w.width(), 100);
    EXPECT_EQ(w.results().dispResult->height(), results);
}

// A long summary value is shown whole, beside its caption.
TEST(ProgramShell, ALongSummaryValueIsShownWhole) {
    TempDir data;
    Program program(data);
    program.shell.load();
    MainWindow& w = program.window();
    w.panel().optFromTo->setChecked(true);
    w.panel().dateFrom->setText(QStringLiteral("12/28/2021"));
    w.panel().dateTo->setText(QStringLiteral("12/28/2026"));
    refreshSummary(w);
    w.layOut();
    EXPECT_GE(w.summary().timeStamp->width(), w.summary().timeStamp->fontMetrics().horizontalAdvance(w.summary().timeStamp->text()));
    EXPECT_GT(w.summary().timeStamp->x(), w.summary().Label12->x() + w.summary().Label12->fontMetrics().horizontalAdvance(w.summary().Label12->text()));
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
    } cases[] = {{w.summary().caseNo, "Match Case"}, {w.summary().timeStamp, "Time Stamp"}};
    for (const auto& c : cases) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(c.value);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->text(QAccessible::Name), c.value->text());
        EXPECT_EQ(read->text(QAccessible::Description), QString::fromLatin1(c.caption));
    }
    // The Category box is named by its caption, which labels it.
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(w.criteria().searchCat);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("Group of Folders"));
    const auto labels = box->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->object(), w.criteria().lblCat);
}

// Tab reaches every control in use, as a person reads the window: each word
// with its operator, the Category, Direct Search and its lists, the saved words.
TEST(ProgramShell, TabGoesInReadingOrder) {
    TempDir data;
    Program program(data);
    MainWindow& w = program.activeWindow();
    w.criteria().chkQSearch->click();
    w.criteria().searchText[0]->setFocus();
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
    EXPECT_EQ(QApplication::focusWidget(), w.criteria().searchText[0]) << "the window opens on word 1";
    QSignalSpy started(w.commands().searchNow, &QPushButton::clicked), stopped(w.commands().searchStop, &QPushButton::clicked),
        helped(w.commands().helpCfg, &QPushButton::clicked), exited(w.commands().stExit, &QPushButton::clicked);

    // Ctrl+F, then Enter in the word box: Start.
    w.criteria().searchText[2]->setFocus();
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.criteria().searchText[0]);
    QTest::keyClick(w.criteria().searchText[0], Qt::Key_Return);
    EXPECT_EQ(started.count(), 1);
    // Escape only where Stop could be clicked.
    w.commands().searchStop->setEnabled(false);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_EQ(stopped.count(), 0);
    w.commands().searchStop->setEnabled(true);
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
    w.criteria().chkQSearch->click();
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
    QTest::keyClicks(w.criteria().searchText[0], QStringLiteral("ab*cd"));

    QTest::keyClick(w.criteria().searchText[0], Qt::Key_Return);
    ASSERT_EQ(program.boxes.asked().size(), 1u);
    EXPECT_EQ(program.boxes.asked()[0].text,
              QStringLiteral("Only single word with wild card * at beginning or end is supported!"));
    EXPECT_FALSE(w.results().dispResult->isVisible()) << "nothing was searched";
    EXPECT_EQ(QApplication::focusWidget(), w.criteria().searchText[0]);

    QEventLoop untilEnded;
    QObject::connect(&program.shell.searchRun(), &SearchRun::finished, &untilEnded, &QEventLoop::quit);
    QTest::keyClick(w.criteria().searchText[0], Qt::Key_Return);
    if (program.shell.searchRun().running()) untilEnded.exec();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.results().dispResult->isVisible());
    EXPECT_EQ(program.boxes.asked().size(), 1u) << "no refusal over the results";
}

TEST(ProgramShell, DirectSearchOpensWhereItIsTold) {
    TempDir data, tree;
    Program program(data);
    program.shell.startDirectSearchIn(tree.path().string());
    program.shell.load();
    EXPECT_EQ(program.window().criteria().qDirList->path(), tree.path().string());
}

// The first run shows the result pane inside its tab page, the lower arrow
// of its scroll bar too, in a window made taller before it.
TEST(ProgramShell, TheResultPaneFitsItsPageOnTheFirstRun) {
    TempDir data, tree;
    tree.write("note.txt", "word");
    Program program(data);
    MainWindow& w = directSearchIn(program, tree);
    w.resize(w.width(), w.height() + 200);
    w.criteria().searchText[0]->setText(QStringLiteral("word"));
    startSearch(program.shell);
    QCoreApplication::processEvents();
    for (QWidget* pane : {static_cast<QWidget*>(w.results().MainResult), static_cast<QWidget*>(w.results().outlineFile)}) {
        SCOPED_TRACE(pane->objectName().toStdString());
        const QWidget* page = pane->parentWidget();
        ASSERT_TRUE(page->isVisible() || pane != w.results().MainResult);
        if (!page->isVisible()) w.results().dispResult->setCurrentIndex(1);
        EXPECT_LE(pane->geometry().bottom(), page->height() - 1);
        EXPECT_LE(page->mapTo(&w, QPoint(0, page->height())).y(),
                  w.results().dispResult->geometry().bottom() + 1);
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
    ASSERT_GT(w.criteria().qDirList->count(), 3);
    EXPECT_GE(w.criteria().qDirList->viewport()->height(), 3 * w.criteria().qDirList->sizeHintForRow(0));
    EXPECT_TRUE(w.panel().frameTypes->contentsRect().contains(w.panel().typeText->geometry()));
}

TEST(ProgramShell, HelpOpensTheDataFoldersHelpFileOrTheGuide) {
    TempDir data;
    {
        TempDir shipped;
        const std::string guide = shipped.write("guide.html", "<html>help</html>");
        Program program(data, systemFileSystem(), QString::fromStdString(guide));
        program.shell.load();
        program.window().commands().helpCfg->click();
        ASSERT_EQ(program.desktop.opened().size(), 1u);
        EXPECT_EQ(program.desktop.opened()[0], guide);
    }
    const std::string help = data.write("tessalyw.hlp", "help");
    Program program(data);
    program.shell.load();
    program.window().commands().helpCfg->click();
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
    program.window().commands().helpCfg->click();
    ASSERT_NE(program.shell.helpWindow(), nullptr);
    EXPECT_TRUE(program.shell.helpWindow()->isVisible());
    EXPECT_TRUE(program.shell.helpWindow()->browser().toPlainText().contains(QStringLiteral("How to search")));
    EXPECT_TRUE(program.boxes.asked().empty());
}

}  // namespace
}  // namespace tessaly::test
