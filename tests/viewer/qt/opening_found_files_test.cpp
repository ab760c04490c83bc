// Opening found files through the program's own window, with a recording
// opener: what reaches the desktop, and what the person is told instead.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <stdexcept>

#include "platform/engine_access.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "run/qt/result_view.h"
#include "run/qt/single_file_view.h"
#include "scripted_program_services.h"
#include "search_start.h"
#include "temp_dir.h"
#include "viewer_idle.h"
#include "platform/qt/local_file_url.h"
#include "viewer/qt/file_menus.h"
#include "viewer/qt/quick_viewer.h"
#include "viewer/qt/quick_viewer_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/result_tabs.h"

namespace tessaly::test {
namespace {

class OpeningFoundFilesTest : public ::testing::Test, public ScriptedProgramServices {
protected:
    OpeningFoundFilesTest() : shell(services, data.path().string(), {}, installedEngine(), 1) {
        shell.load();
        shell.window().show();
    }

    void searchForCat() {
        w().criteria().listCategory->addItem(QString::fromStdString(files.path().string()));
        w().criteria().searchText[0]->setText(QStringLiteral("cat"));
        startSearch(shell);
        w().results().dispResult->setCurrentIndex(1);
    }
    // The person clicks the file in the result tree, then double-clicks its hits.
    void doubleClickInTree(const std::string& path) {
        for (QTreeWidgetItemIterator it(w().results().outlineFile); *it; ++it)
            if ((*it)->data(0, ResultView::kPathRole).toByteArray().toStdString() == path)
                emit w().results().outlineFile->itemClicked(*it, 0);
        waitForSingleFileView(shell.singleFileView());
        QTest::mouseDClick(w().results().textFile->viewport(), Qt::LeftButton);
    }
    MainWindow& w() { return shell.window(); }
    SelectedFile& selected() { return shell.resultView().selectedFile(); }

    // The pane's context menu as a right-click on the character at the
    // offset opens it, or the Menu key at the caret for -1.
    QMenu& paneMenu(int offset) {
        MarkedTextView& pane = *w().results().MainResult;
        if (offset < 0) {
            QTest::keyClick(&pane, Qt::Key_Menu);
        } else {
            const QPoint at = offset < static_cast<int>(pane.text().size())
                                  ? pane.characterRect(offset).center()
                                  : QPoint(5, pane.viewport()->height() - 5);
            QContextMenuEvent click(QContextMenuEvent::Mouse, at, pane.viewport()->mapToGlobal(at));
            QApplication::sendEvent(pane.viewport(), &click);
        }
        for (QMenu* menu : pane.findChildren<QMenu*>())
            if (menu->isVisible()) return *menu;
        throw std::runtime_error("no menu");
    }
    // The menu's commands, a disabled one in brackets.
    static QStringList commands(const QMenu& menu) {
        QStringList shown;
        for (const QAction* action : menu.actions())
            if (!action->isSeparator())
                shown << (action->isEnabled() ? action->text() : "[" + action->text() + "]");
        return shown;
    }
    static void choose(QMenu& menu, const QString& command) {
        for (QAction* action : menu.actions())
            if (action->text() == command) action->trigger();
        menu.close();
    }
    // The tree's context menu for the node, as a right-click on it opens it.
    QMenu& treeMenu(QTreeWidgetItem* node) {
        QTreeWidget& tree = *w().results().outlineFile;
        const QPoint at = tree.visualItemRect(node).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, tree.viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree.viewport(), &click);
        return visibleMenuOf(tree);
    }
    static QMenu& visibleMenuOf(const QWidget& widget) {
        for (QMenu* menu : widget.findChildren<QMenu*>())
            if (menu->isVisible()) return *menu;
        throw std::runtime_error("no menu");
    }
    QTreeWidgetItem* treeNode(const std::string& path) {
        for (QTreeWidgetItemIterator it(w().results().outlineFile); *it; ++it)
            if ((*it)->data(0, ResultView::kPathRole).toByteArray().toStdString() == path) return *it;
        throw std::runtime_error("no node");
    }
    int inPane(const std::string& text) {
        return static_cast<int>(w().results().MainResult->plainText().indexOf(QString::fromStdString(text)));
    }

    TempDir data, files;
    ProgramShell shell;
};

TEST_F(OpeningFoundFilesTest, DocumentsReachTheOpenerAsTheUrlsOfTheirOwnBytes) {
    const char* names[] = {"-rf.txt", "a #1.txt", "100%20.txt", "why?.txt", "caf\xE9.txt", "x.pdf"};
    for (const char* name : names) files.write(name, "the cat\n");
    searchForCat();
    for (const char* name : names) {
        const std::string path = (files.path() / name).string();
        doubleClickInTree(path);
        w().commands().buttonDetail->click();
        ASSERT_EQ(desktop.urls().size() % 2, 0u) << name;
        for (const QUrl& url : {desktop.urls().rbegin()[0], desktop.urls().rbegin()[1]}) {
            EXPECT_TRUE(url.isLocalFile() && !url.hasQuery() && !url.hasFragment()) << name;
            // What the opener is given, unescaped, is the file's name byte for byte.
            EXPECT_EQ(
                QByteArray::fromPercentEncoding(url.toEncoded(QUrl::RemoveScheme)).toStdString(),
                "//" + path)
                << name;
        }
    }
    EXPECT_EQ(desktop.urls().size(), 2 * std::size(names));
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(OpeningFoundFilesTest, AProgramIsNeverStartedButCanBeViewedOrItsFolderOpened) {
    const std::string launcher = files.write("invoice.pdf.desktop", "[Desktop Entry]\nExec=cat\n");
    const std::string script = files.write("notes.txt", "#!/bin/sh\necho cat\n");
    const std::string runnable = files.write("run", "echo cat\n");
    ASSERT_EQ(::chmod(runnable.c_str(), 0755), 0);
    searchForCat();

    boxes.answerChoice(1);  // Open Folder
    doubleClickInTree(launcher);
    boxes.answerChoice(0);  // Quick Viewer
    doubleClickInTree(script);
    boxes.answerChoice(-1);
    w().results().dispResult->setCurrentIndex(0);
    w().results().MainResult->setCaretOffset(
        w().results().MainResult->plainText().indexOf(QString::fromStdString(runnable)));
    w().commands().buttonDetail->click();

    const std::string told[] = {launcher, script, runnable};
    ASSERT_EQ(boxes.asked().size(), std::size(told));
    for (std::size_t i = 0; i < std::size(told); ++i) {
        EXPECT_EQ(boxes.asked()[i].text.toStdString(),
                  told[i] +
                      " is a program, so Tessaly did not start it. You can look at it in the "
                      "Quick Viewer or open the folder that holds it.");
        EXPECT_EQ(boxes.asked()[i].choices, (QStringList{"Quick &Viewer", "Open &Folder"}));
    }
    // Only the folder ever reached the opener.
    EXPECT_EQ(desktop.opened(), std::vector<std::string>{files.path().string()});
    waitForViewer(shell.quickViewer());
    QuickViewerWindow& view = shell.quickViewer().window();
    EXPECT_EQ(view.panels[0]->text().toStdString(), "Name: " + script);

    // The viewer shows the program already: its Detail offers the folder alone.
    selected().path = script;
    view.viewPrev->click();
    EXPECT_EQ(boxes.asked().back().choices, QStringList{"Open &Folder"});
    EXPECT_EQ(desktop.urls().size(), 1u);
}

TEST_F(OpeningFoundFilesTest, ThePanesContextMenuActsOnTheEntryPointedAt) {
    const std::string first = files.write("a.txt", "the cat\n");
    files.write("b.txt", "a cat again\n");
    searchForCat();
    w().results().dispResult->setCurrentIndex(0);
    w().results().MainResult->setCaretOffset(inPane("b.txt"));

    QMenu& onPassage = paneMenu(inPane("a cat again") + 3);
    EXPECT_EQ(commands(onPassage), (QStringList{"&View", "&Open", "Open &Folder", "Copy &Path", "Copy &Name",
                                                "[&Copy]", "Select &All"}));
    choose(onPassage, "Open &Folder");
    choose(paneMenu(inPane("a cat again")), "Copy &Name");
    EXPECT_EQ(QApplication::clipboard()->text(), "b.txt");
    choose(paneMenu(inPane("a.txt")), "&Open");
    EXPECT_EQ(desktop.opened(), (std::vector<std::string>{files.path().string(), first}));

    // The Menu key asks at the caret, on the first entry.
    w().results().MainResult->select(inPane("the cat"), 3);
    QMenu& atCaret = paneMenu(-1);
    EXPECT_EQ(commands(atCaret), (QStringList{"&View", "&Open", "Open &Folder", "Copy &Path", "Copy &Name",
                                              "&Copy", "Select &All"}));
    choose(atCaret, "&Copy");
    EXPECT_EQ(QApplication::clipboard()->text(), "the");
    choose(paneMenu(-1), "&View");
    waitForViewer(shell.quickViewer());
    EXPECT_EQ(shell.quickViewer().window().panels[0]->text().toStdString(), "Name: " + first);

    // Below the last entry there is no file to act on.
    EXPECT_EQ(commands(paneMenu(static_cast<int>(w().results().MainResult->text().size()))),
              (QStringList{"&Copy", "Select &All"}));
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(OpeningFoundFilesTest, TheTreeAndTheFileViewOfferTheFileCommandsAndFilesDragOutAsTheirUrls) {
    const std::string file = files.write("sub dir/a #1.txt", "the cat\n");
    searchForCat();
    const QStringList fileCommands{"&View", "&Open", "Open &Folder", "Copy &Path", "Copy &Name"};

    QTreeWidgetItem* node = treeNode(file);
    QMenu& onFile = treeMenu(node);
    EXPECT_EQ(commands(onFile), fileCommands);
    choose(onFile, "Copy &Path");
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), file);
    QMenu& onFolder = treeMenu(node->parent());
    EXPECT_EQ(commands(onFolder), (QStringList{"Open &Folder", "Copy &Path"}));
    choose(onFolder, "Open &Folder");
    EXPECT_EQ(desktop.opened().back(), files.path().string() + "/sub dir");
    // The Menu key asks for the current node.
    w().results().outlineFile->setCurrentItem(node);
    QTest::keyClick(w().results().outlineFile, Qt::Key_Menu);
    QMenu& byKey = visibleMenuOf(*w().results().outlineFile);
    EXPECT_EQ(commands(byKey), fileCommands);
    byKey.close();

    // The single-file view's menu: the file's commands, then the view's own.
    emit w().results().outlineFile->itemClicked(node, 0);
    waitForSingleFileView(shell.singleFileView());
    emit w().results().textFile->customContextMenuRequested(QPoint(5, 5));
    QMenu& inView = visibleMenuOf(*w().results().textFile);
    EXPECT_EQ(commands(inView).mid(0, 5), fileCommands);
    choose(inView, "&View");
    waitForViewer(shell.quickViewer());
    EXPECT_EQ(shell.quickViewer().window().panels[0]->text().toStdString(), "Name: " + file);

    // Dragged from the tree or from an entry's heading: the file's URL and
    // path. A folder node drags nothing, nor does a passage.
    const std::unique_ptr<QMimeData> dragged(w().results().outlineFile->mimeData({node->parent(), node}));
    ASSERT_TRUE(dragged);
    EXPECT_EQ(dragged->urls(), QList<QUrl>{localFileUrl(file)});
    EXPECT_EQ(dragged->text().toStdString(), file);
    EXPECT_EQ(w().results().outlineFile->mimeData({node->parent()}), nullptr);
    w().results().dispResult->setCurrentIndex(0);
    const std::unique_ptr<QMimeData> heading(shell.fileMenus().entryDragData(inPane("a #1.txt")));
    ASSERT_TRUE(heading);
    EXPECT_EQ(heading->urls(), QList<QUrl>{localFileUrl(file)});
    EXPECT_EQ(heading->text().toStdString(), file);
    EXPECT_EQ(shell.fileMenus().entryDragData(inPane("the cat")), nullptr);
}

}  // namespace
}  // namespace tessaly::test
