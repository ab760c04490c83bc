#include "viewer/qt/result_output.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabWidget>
#include <filesystem>
#include <functional>

#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "printed_pdf.h"
#include "result_entries.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/result_tabs.h"
#include "window_fixture.h"

namespace tessaly::test {
namespace {

class ResultOutputTest : public ::testing::Test {
protected:
    ResultOutputTest() : output(window(), fixture.services) {
        fillResultPane(*window().results().MainResult, 2, 2);
        window().results().textFile->setRtf(QByteArrayLiteral(
            "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}"
            "Only this file: the {\\cf1\\b cat} alone\\par}"));
    }

    MainWindow& window() { return *fixture.window; }
    QString file(const char* name) const { return QString::fromStdString((folder.path() / name).string()); }

    TempDir folder;
    WindowFixture fixture;
    ResultOutput output;
};

TEST_F(ResultOutputTest, SaveWritesTheTabThatIsShowing) {
    const struct {
        int tab;
        std::function<QString()> shown;
    } cases[] = {{0, [&] { return window().results().MainResult->plainText(); }},
                 {1, [&] { return window().results().textFile->plainText(); }}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        window().results().dispResult->setCurrentIndex(c.tab);
        const QString saved = file(c.tab == 0 ? "all.rtf" : "each.rtf");
        fixture.dialogs.saveAs(saved);
        window().commands().searchSave->click();

        RichTextBox reread;
        std::string bytes;
        ASSERT_FALSE(systemFileSystem().readAll(saved.toStdString(), bytes));
        reread.setRtf(bytes);
        EXPECT_EQ(reread.plainText(), c.shown());
    }
    EXPECT_TRUE(fixture.boxes.asked().empty());
}

// The printer dialog offers Selection from the result pane, even while the
// single-file view is the one printed.
TEST_F(ResultOutputTest, PrintTakesTheShowingTabAndTheSelectionOfTheResultPane) {
    window().results().dispResult->setCurrentIndex(1);
    window().results().MainResult->select(0, 5);
    fixture.dialogs.cancelPrinter();
    window().commands().searchPrint->click();
    waitForPrintOf(window().commands().searchPrint);
    window().results().MainResult->select(0, 0);
    window().results().textFile->select(0, 5);
    const QString pdf = file("each.pdf");
    fixture.dialogs.acceptPrinter(pdf);
    window().commands().searchPrint->click();
    waitForPrintOf(window().commands().searchPrint);

    EXPECT_EQ(fixture.dialogs.printerAsked(), (std::vector<bool>{true, false}));
    EXPECT_TRUE(fixture.boxes.asked().empty());
    EXPECT_EQ(pdfPageCount(pdf), 1);
    if (!hasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed: text not read back";
    const QString printed = pdfText(pdf);
    EXPECT_TRUE(printed.contains(QStringLiteral("Only this file: the cat alone"))) << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("file 1 line 1")));
}

}  // namespace
}  // namespace tessaly::test
