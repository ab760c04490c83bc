// The File Quick Viewer over the results of a real search: picking the file,
// loading it with its hits marked, Stop, Next, Jump and Done.
#include "viewer/qt/quick_viewer.h"

#include <gtest/gtest.h>

#include <QAccessible>

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>
#include <QTabWidget>
#include <QTreeWidget>

#include "document_files.h"
#include "platform/engine_access.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "platform/rtf_reader.h"
#include "printed_pdf.h"
#include "scripted_program_services.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"
#include "run/qt/result_view.h"
#include "shell/qt/program_shell.h"
#include "window/qt/services.h"
#include "search_start.h"
#include "temp_dir.h"
#include "viewer_idle.h"
#include "platform/qt/marked_text_view.h"
#include "viewer/qt/quick_viewer_window.h"

namespace tessaly::test {
namespace {

class ViewerTest : public ::testing::Test, public ScriptedProgramServices {
protected:
    ViewerTest() : shell(services, data.path().string(), {}, installedEngine(), 1) {
        shell.load();
    }

    MainWindow& main() { return shell.window(); }
    QuickViewer& viewer() { return shell.quickViewer(); }
    SelectedFile& selected() { return shell.resultView().selectedFile(); }
    QuickViewerWindow& view() { return viewer().window(); }

    // Searches `folder` for the words; the results view shows them.
    void search(const std::string& folder, const QString& word) {
        main().criteria().listCategory->clear();
        main().criteria().listCategory->addItem(QString::fromStdString(folder));
        main().criteria().searchText[0]->setText(word);
        startSearch(shell);
    }
    // The caret of the result pane inside the entry of this file.
    void caretOn(const std::string& path) {
        const int at = main().results().MainResult->plainText().indexOf(QString::fromStdString(path));
        ASSERT_GE(at, 0) << path;
        main().results().MainResult->setCaretOffset(at + 3);
    }
    QString selectedText() { return view().richView->selectedText(); }
    int selectionStart() { return view().richView->selectionStart(); }

    TempDir data;
    TempDir files;
    ProgramShell shell;
};

TEST_F(ViewerTest, ViewerShowsTheFileUnderTheCaretWithItsHitsMarked) {
    const std::string first = files.write("a.txt", "one cat here\r\nnothing\r\n");
    const std::string second = files.write("b.txt", "intro line\r\nthe cat sat\r\nmiddle\r\na cat again\r\nend");
    search(files.path().string(), QStringLiteral("cat"));
    caretOn(second);
    main().commands().buttonView->click();
    waitForViewer(viewer());

    EXPECT_EQ(selected().path, second);
    ASSERT_TRUE(view().isVisible());
    const QString text = view().richView->plainText();
    for (const char* line : {"intro line", "the cat sat", "middle", "a cat again", "end"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(line))) << line;
    EXPECT_FALSE(text.contains(QStringLiteral("one cat here")));
    // Every hit marked, the rest plain; the line breaks kept (the engine
    // reads a line feed after a carriage return as a blank).
    EXPECT_EQ(text, QStringLiteral("intro line\n the cat sat\n middle\n a cat again\n end"));
    QString marked;
    for (int at = 0; at < text.size(); ++at)
        marked += view().richView->isMarked(at) ? text[at] : QChar(u'.');
    EXPECT_EQ(marked, QStringLiteral("................cat................cat..........."));
    EXPECT_EQ(view().panels[0]->text(), QStringLiteral("Name: ") + QString::fromStdString(second));
    EXPECT_TRUE(view().panels[1]->text().startsWith(QStringLiteral("Date: ")));
    EXPECT_EQ(view().panels[2]->text(), QStringLiteral("Size: 1 KB"));
    // A screen reader reads what each panel shows.
    for (QLabel* panel : view().panels)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(panel)->text(QAccessible::Name), panel->text());
    EXPECT_TRUE(view().viewClose->isVisible());
    EXPECT_FALSE(view().viewStop->isVisible());
    for (QPushButton* command : view().commands()) EXPECT_TRUE(command->isEnabled());
    EXPECT_TRUE(viewer().loadDone());
    EXPECT_EQ(view().richView->caretOffset(), 0);

    // Detail in both windows opens the file the viewer shows.
    view().viewPrev->click();
    main().commands().buttonDetail->click();
    EXPECT_EQ(desktop.opened(), (std::vector<std::string>{second, second}));
}

// The engine's passages overlap where each hit's window reaches back past
// the end of the one before: every hit is marked all the same.
TEST_F(ViewerTest, EveryHitIsMarkedWherePassagesOverlap) {
    const std::string file = files.write(
        "alias.txt",
        "# it under the terms of the GNU General Public License as published by\n"
        "# the Free Software Foundation; either version 2, or (at your option)\n"
        "# but WITHOUT ANY WARRANTY; without even the implied warranty of\n"
        "# You should have received a copy of the GNU General Public License\n"
        "# The format of this file is the same as for the corresponding file of\n"
        "# the X Window System, which normally can be found in\n"
        "# backward compatibility.  Nobody should rely on the names defined here.\n");
    main().criteria().searchText[0]->setText(QStringLiteral("the"));
    selected().path = file;
    viewer().loadViewer();
    ASSERT_TRUE(waitForViewer(viewer()));
    const QString text = view().richView->plainText();
    int words = 0, marked = 0;
    for (int at = text.indexOf(QStringLiteral("the"), 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(QStringLiteral("the"), at + 1, Qt::CaseInsensitive)) {
        const bool whole = (at == 0 || !text[at - 1].isLetter()) && (at + 3 >= text.size() || !text[at + 3].isLetter());
        if (!whole) continue;
        ++words;
        marked += view().richView->isMarked(at) ? 1 : 0;
    }
    EXPECT_EQ(words, 10);
    EXPECT_EQ(marked, words);

    // Next stops on the marks, each in turn, and on nothing else.
    view().setCommandsEnabled(true);
    boxes.answer(MessageAnswer::No);
    int steps = 0;
    for (; steps <= words; ++steps) {
        view().viewNext->click();
        waitForViewer(viewer());
        if (!boxes.asked().empty()) break;
        EXPECT_TRUE(view().richView->isMarked(selectionStart())) << selectionStart();
    }
    EXPECT_EQ(steps, words);
}

TEST_F(ViewerTest, ADocumentIsShownAsItsTextWithItsHitsMarked) {
    const std::string pdf = files.write("report.pdf", pdfBytes({"first page", "the cat on page two"}));
    search(files.path().string(), QStringLiteral("cat"));
    caretOn(pdf);
    main().commands().buttonView->click();
    waitForViewer(viewer());
    const QString text = view().richView->plainText();
    EXPECT_TRUE(text.contains(QStringLiteral("first page"))) << text.toStdString();
    const int at = text.indexOf(QStringLiteral("cat"));
    ASSERT_GE(at, 0) << text.toStdString();
    EXPECT_TRUE(view().richView->isMarked(at));
    EXPECT_FALSE(text.contains(QStringLiteral("%PDF")));
}

// The entry under the caret is the one the pane put there, whatever its
// passages say: a numbered list or a line that looks like a heading.
TEST_F(ViewerTest, TheFileUnderTheCaretIsTheEntryThatHoldsIt) {
    const std::string first = files.write("a.txt", "steps: 2. /tmp/other.txt   [1/1/2020] then 10. the cat");
    const std::string second = files.write("b.txt", "the cat alone");
    search(files.path().string(), QStringLiteral("cat"));
    const QString pane = main().results().MainResult->plainText();
    const struct {
        const char* where;
        int offset;
        std::string expected;
    } cases[] = {
        {"before the first heading", 0, first},
        {"on the passage's 2. ", static_cast<int>(pane.indexOf(QStringLiteral("2. /tmp"))) + 1, first},
        {"on the passage's 10. ", static_cast<int>(pane.indexOf(QStringLiteral("10. the"))) + 1, first},
        {"on the second heading", static_cast<int>(pane.indexOf(QString::fromStdString("2. " + second))) + 1,
         second},
        {"at the very end", static_cast<int>(pane.size()), second},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        main().results().MainResult->setCaretOffset(c.offset);
        main().commands().buttonView->click();
        waitForViewer(viewer());
        EXPECT_EQ(selected().path, c.expected);
        view().viewClose->click();
    }
}

TEST_F(ViewerTest, EveryLineBreakOfTheFileIsKept) {
    const struct {
        const char* name;
        const char* bytes;
    } cases[] = {{"lf.txt", "first cat\nsecond\nthird cat\nfourth\n"},
                 {"crlf.txt", "first cat\r\nsecond\r\nthird cat\r\nfourth\r\n"},
                 {"mixed.txt", "first cat\nsecond\r\n\nthird cat\rfourth"}};
    for (const auto& c : cases) files.write(c.name, c.bytes);
    search(files.path().string(), QStringLiteral("cat"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        caretOn((files.path() / c.name).string());
        main().commands().buttonView->click();
        waitForViewer(viewer());
        const QString text = view().richView->plainText();
        for (const char* line : {"first cat", "second", "third cat", "fourth"})
            EXPECT_TRUE(text.contains(QString::fromLatin1(line))) << text.toStdString();
        EXPECT_GE(text.count(u'\n'), 3) << text.toStdString();
        view().viewClose->click();
    }
}

TEST_F(ViewerTest, SaveAndPrintTakeTheWholeTextWithItsHits) {
    const std::string file = files.write("b.txt", "intro line\r\nthe cat sat\r\nmiddle\r\na cat again");
    search(files.path().string(), QStringLiteral("cat"));
    caretOn(file);
    main().commands().buttonView->click();
    waitForViewer(viewer());

    const std::string saved = (files.path() / "viewer.rtf").string();
    dialogs.saveAs(QString::fromStdString(saved));
    view().viewSave->click();
    std::string bytes;
    ASSERT_FALSE(systemFileSystem().readAll(saved, bytes));
    std::vector<std::string> lines, hits;
    for (const RtfParagraph& paragraph : readRtf(bytes)) {
        lines.push_back(paragraph.text());
        for (const RtfRun& run : paragraph.runs)
            if (run.bold && run.colour == 1) hits.push_back(run.text);
    }
    // The document opens with a blank, as the engine's own viewer documents do.
    EXPECT_EQ(lines, (std::vector<std::string>{" intro line", " the cat sat", " middle", " a cat again"}));
    EXPECT_EQ(hits, (std::vector<std::string>{"cat", "cat"}));

    const QString pdf = QString::fromStdString((files.path() / "viewer.pdf").string());
    dialogs.acceptPrinter(pdf);
    view().viewPrint->click();
    waitForPrintOf(view().viewPrint);
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(pdfPageCount(pdf), 1);
}

TEST_F(ViewerTest, NothingUnderTheCaretIsSaid) {
    search(files.path().string(), QStringLiteral("cat"));  // nothing found
    main().commands().buttonView->click();
    waitForViewer(viewer());
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, QStringLiteral("You must select a file to view!"));
    EXPECT_EQ(boxes.asked()[0].title, QStringLiteral("Select File"));
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_FALSE(viewer().windowMade() && view().isVisible());
}

TEST_F(ViewerTest, AFileWithoutHitsOrGoneIsShownOrReported) {
    const std::string plain = files.write("plain.txt", "no words of interest\r\nat all");
    selected().path = plain;
    viewer().loadViewer();
    waitForViewer(viewer());
    EXPECT_TRUE(view().richView->plainText().contains(QStringLiteral("no words of interest")));
    EXPECT_TRUE(boxes.asked().empty());

    selected().path = (files.path() / "gone.txt").string();
    boxes.answer(MessageAnswer::Ignore);
    viewer().loadViewer();
    waitForViewer(viewer());
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].title, QStringLiteral("Operation Error"));
    EXPECT_TRUE(view().richView->plainText().isEmpty());
    EXPECT_TRUE(viewer().loadDone());
}

TEST_F(ViewerTest, StopEndsALongLoadWithWhatIsShown) {
    // Many slices of text: Stop comes as soon as the first is on screen.
    std::string text;
    int lines = 0;
    while (text.size() < 20'000'000) text += "line " + std::to_string(lines++) + " holds the cat\r\n";
    const std::string big = files.write("big.txt", text);
    main().criteria().searchText[0]->setText(QStringLiteral("cat"));
    selected().path = big;
    // Stop before the engine is done with the file: the viewer does not wait.
    viewer().loadViewer();
    view().viewStop->click();
    waitForViewer(viewer());
    EXPECT_TRUE(viewer().loadDone());
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_TRUE(view().panels[0]->text().endsWith(QStringLiteral("(stopped: the rest is not shown)")));

    viewer().loadViewer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view().richView->text().empty(); }, 30'000));
    view().viewStop->click();
    waitForViewer(viewer());
    const QString shown = view().richView->plainText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("line 0 holds the cat\n line 1 holds")));
    EXPECT_FALSE(shown.contains(QStringLiteral("line %1 holds").arg(lines - 1)));
    EXPECT_TRUE(view().panels[0]->text().endsWith(QStringLiteral("(stopped: the rest is not shown)")));
    EXPECT_TRUE(viewer().loadDone());
    EXPECT_TRUE(view().viewClose->isVisible());
}

// Stop or the close box at any moment of a document's load: the work beside
// the window owns what it reads, whatever stage it is at, and the viewer is
// ready again at once.
TEST_F(ViewerTest, StopOrCloseAtAnyMomentOfADocumentsLoad) {
    std::vector<std::string> pages;
    for (int page = 0; page < 30; ++page) pages.push_back("page " + std::to_string(page) + " the cat");
    const std::string pdf = files.write("long.pdf", pdfBytes(pages));
    main().criteria().searchText[0]->setText(QStringLiteral("cat"));
    for (int waited = 0; waited < 40; waited += 2) {
        for (const bool closing : {false, true}) {
            SCOPED_TRACE(testing::Message() << waited << " ms, " << (closing ? "closed" : "stopped"));
            selected().path = pdf;
            viewer().loadViewer();
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < waited) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            if (closing) view().close();
            else view().viewStop->click();
            ASSERT_TRUE(waitForViewer(viewer()));
        }
    }
    selected().path = pdf;
    viewer().loadViewer();
    ASSERT_TRUE(waitForViewer(viewer()));
    EXPECT_TRUE(view().richView->plainText().contains(QStringLiteral("page 29 the cat")));
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(ViewerTest, NextStepsFromHitToHitAndOffersToStartAgain) {
    const std::string file = files.write("n.txt", "Cat one, then dog's bowl, a CAT, a dog, xcat");
    main().criteria().searchText[0]->setText(QStringLiteral("cat"));
    main().criteria().searchText[1]->setText(QStringLiteral("dog"));
    main().panel().FoundWord->setChecked(true);
    selected().path = file;
    viewer().loadViewer();
    waitForViewer(viewer());
    view().setCommandsEnabled(true);
    // First Word Found: the first hit is selected at once, even at the very start.
    EXPECT_EQ(selectedText(), QStringLiteral("Cat"));
    // "dog's" is found as it stands; "xcat" is not the whole word cat.
    std::vector<QString> steps{selectedText()};
    for (int i = 0; i < 3; ++i) {
        view().viewNext->click();
        waitForViewer(viewer());
        steps.push_back(selectedText());
    }
    EXPECT_EQ(steps, (std::vector<QString>{"Cat", "dog", "CAT", "dog"}));
    // Past the last: the question, then from the top again.
    boxes.answer(MessageAnswer::Yes);
    view().viewNext->click();
    waitForViewer(viewer());
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].title, QStringLiteral("Search File"));
    EXPECT_EQ(view().richView->caretOffset(), 0);
    view().viewNext->click();
    waitForViewer(viewer());
    EXPECT_EQ(selectedText(), QStringLiteral("Cat"));

    // With Match Case only the word as typed.
    main().panel().optCase->setChecked(true);
    main().criteria().searchText[0]->setText(QStringLiteral("CAT"));
    main().criteria().searchText[1]->clear();
    view().richView->setCaretOffset(0);
    view().viewNext->click();
    waitForViewer(viewer());
    EXPECT_EQ(selectedText(), QStringLiteral("CAT"));
}

TEST_F(ViewerTest, JumpGoesToTheNextFilePassingFoldersAndWrapsToTheFirst) {
    const std::string a = files.write("a.txt", "cat");
    const std::string b = files.write("b.txt", "cat");
    const std::string c = files.write("sub/c.txt", "cat");
    search(files.path().string(), QStringLiteral("cat"));
    main().results().MainResult->setCaretOffset(0);
    main().commands().buttonView->click();
    waitForViewer(viewer());
    const std::string first = selected().path;
    // The tree in front: a tab change forgets the selected file, so this
    // comes before the viewer's own steps.
    main().results().dispResult->setCurrentIndex(1);
    selected().path = first;
    std::vector<std::string> shown{first};
    view().nextFile->click();
    waitForViewer(viewer());
    shown.push_back(selected().path);
    view().nextFile->click();  // the folder node "sub/" comes before c.txt
    waitForViewer(viewer());
    shown.push_back(selected().path);
    EXPECT_EQ(shown.back(), c);
    EXPECT_TRUE(std::is_permutation(shown.begin(), shown.end(),
                                    std::vector<std::string>{a, b, c}.begin()));
    EXPECT_TRUE(view().richView->plainText().contains(QStringLiteral("cat")));

    // From the last file: No stays, Yes goes back to the first entry.
    boxes.answer(MessageAnswer::No);
    view().nextFile->click();
    waitForViewer(viewer());
    EXPECT_EQ(selected().path, c);
    boxes.answer(MessageAnswer::Yes);
    view().nextFile->click();
    waitForViewer(viewer());
    EXPECT_EQ(selected().path, first);
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_EQ(boxes.asked()[1].title, QStringLiteral("Viewing File"));
}

TEST_F(ViewerTest, DoneKeepsTheSizeForTheNextViewerAndTheSettings) {
    const std::string file = files.write("s.txt", "cat");
    selected().path = file;
    viewer().loadViewer();
    waitForViewer(viewer());
    view().setSizeTwips(9000, 6000);
    view().viewClose->click();
    EXPECT_FALSE(view().isVisible());
    EXPECT_NEAR(viewer().widthTwips(), 9000, 15);
    EXPECT_NEAR(viewer().heightTwips(), 6000, 15);

    // Closed by its close box: the size is not kept.
    viewer().loadViewer();
    waitForViewer(viewer());
    EXPECT_NEAR(view().widthTwips(), 9000, 15);
    view().setSizeTwips(10000, 7000);
    view().close();
    EXPECT_NEAR(viewer().widthTwips(), 9000, 15);

    // Never smaller than room for seven buttons and 1,800 high.
    view().setSizeTwips(100, 100);
    EXPECT_GE(view().widthTwips(), 7 * QuickViewerWindow::kButtonWidth + 340 - 15);
    EXPECT_GE(view().heightTwips(), 1800 - 15);
}

}  // namespace
}  // namespace tessaly::test
