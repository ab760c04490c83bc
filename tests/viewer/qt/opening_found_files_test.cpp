// Opening found files through the program's own window, with a recording
// opener: what reaches the desktop, and what the person is told instead.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "platform/engine_access.h"
#include "platform/qt/rich_text_box.h"
#include "run/qt/result_view.h"
#include "scripted_program_services.h"
#include "search_start.h"
#include "shell/qt/program_shell.h"
#include "temp_dir.h"
#include "viewer/qt/quick_viewer.h"
#include "viewer/qt/quick_viewer_window.h"
#include "window/qt/main_window.h"

namespace tessaly::test {
namespace {

class OpeningFoundFilesTest : public ::testing::Test, public ScriptedProgramServices {
protected:
    OpeningFoundFilesTest() : shell(services, data.path().string(), {}, installedEngine(), 1) {
        shell.load();
        main().show();
    }

    MainWindow& main() { return shell.window(); }

    void searchForCat() {
        main().listCategory->clear();
        main().listCategory->addItem(QString::fromStdString(files.path().string()));
        main().searchText[0]->setText(QStringLiteral("cat"));
        startSearch(shell);
        main().dispResult->setCurrentIndex(1);
    }
    // The person clicks the file in the result tree, then double-clicks its hits.
    void doubleClickInTree(const std::string& path) {
        QTreeWidgetItem* node = nullptr;
        for (QTreeWidgetItemIterator it(main().outlineFile); *it; ++it)
            if ((*it)->data(0, ResultView::kPathRole).toByteArray() == QByteArray::fromStdString(path)) node = *it;
        ASSERT_NE(node, nullptr) << path;
        emit main().outlineFile->itemClicked(node, 0);
        QTest::mouseDClick(main().textFile->viewport(), Qt::LeftButton);
    }

    TempDir data;
    TempDir files;
    ProgramShell shell;
};

TEST_F(OpeningFoundFilesTest, DocumentsReachTheOpenerAsTheUrlsOfTheirOwnBytes) {
    const char* names[] = {"-rf.txt", "a #1.txt", "100%20.txt", "why?.txt", "caf\xE9.txt", "report.pdf"};
    for (const char* name : names) files.write(name, "%PDF-1.4 the cat\n");
    searchForCat();
    for (const char* name : names) {
        const std::string path = (files.path() / name).string();
        const std::size_t before = desktop.urls().size();
        doubleClickInTree(path);
        main().buttonDetail->click();
        ASSERT_EQ(desktop.urls().size(), before + 2) << name;
        for (std::size_t i = before; i < desktop.urls().size(); ++i) {
            const QUrl& url = desktop.urls()[i];
            EXPECT_EQ(url.scheme(), QStringLiteral("file")) << name;
            EXPECT_TRUE(url.host().isEmpty() && !url.hasQuery() && !url.hasFragment()) << name;
            // What the opener is given, unescaped, is this file's name byte for byte.
            EXPECT_EQ(QByteArray::fromPercentEncoding(url.toEncoded(QUrl::RemoveScheme)).toStdString(),
                      "//" + path)
                << name;
        }
    }
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(OpeningFoundFilesTest, AProgramIsNeverStartedButCanBeViewedOrItsFolderOpened) {
    const std::string launcher = files.write("invoice.pdf.desktop", "[Desktop Entry]\nExec=sh -c cat\n");
    const std::string script = files.write("notes.txt", "#!/bin/sh\necho cat\n");
    const std::string runnable = files.write("run", "echo cat\n");
    ASSERT_EQ(::chmod(runnable.c_str(), 0755), 0);
    searchForCat();

    // Open Folder, Quick Viewer and Cancel, one program each.
    boxes.answerChoice(1);
    doubleClickInTree(launcher);
    boxes.answerChoice(0);
    doubleClickInTree(script);
    boxes.answerChoice(-1);
    main().dispResult->setCurrentIndex(0);
    const int entry = main().MainResult->plainText().indexOf(QString::fromStdString(runnable));
    ASSERT_GE(entry, 0);
    main().MainResult->setCaretOffset(entry + 3);
    main().buttonDetail->click();

    ASSERT_EQ(boxes.asked().size(), 3u);
    const std::string told[] = {launcher, script, runnable};
    for (std::size_t i = 0; i < 3; ++i) {
        const AskedBox& box = boxes.asked()[i];
        EXPECT_EQ(box.text, QString::fromStdString(told[i]) +
                                QStringLiteral(" is a program, so Tessaly did not start it. You can look at it "
                                               "in the Quick Viewer or open the folder that holds it."));
        EXPECT_EQ(box.icon, MessageIcon::Exclamation);
        EXPECT_EQ(box.choices, (QStringList{QStringLiteral("Quick &Viewer"), QStringLiteral("Open &Folder")}));
    }
    // Only the folder ever reached the opener.
    ASSERT_EQ(desktop.urls().size(), 1u);
    EXPECT_EQ(desktop.opened()[0], files.path().string());
    QuickViewerWindow& view = shell.quickViewer().window();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.panels[0]->text(), QStringLiteral("Name: ") + QString::fromStdString(script));

    // The viewer's Detail: the program is on screen already, so only its folder is offered.
    main().state.selectedFile = script;
    view.viewPrev->click();
    ASSERT_EQ(boxes.asked().size(), 4u);
    EXPECT_EQ(boxes.asked()[3].choices, QStringList{QStringLiteral("Open &Folder")});
    EXPECT_EQ(desktop.urls().size(), 1u);
}

}  // namespace
}  // namespace tessaly::test
