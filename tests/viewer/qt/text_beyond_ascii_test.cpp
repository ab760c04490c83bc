// Words beyond ASCII through the whole window: files in UTF-8, Windows-1252
// and UTF-16 searched by the real engine, then shown in the result pane, the
// single-file view and the quick viewer, saved as RTF and printed to PDF.
// A character lost anywhere on that way shows as a blank, a "?" or mojibake.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "criteria/options.h"
#include "platform/engine_access.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "platform/rtf_reader.h"
#include "printed_pdf.h"
#include "run/qt/result_view.h"
#include "scripted_program_services.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"
#include "run/qt/single_file_view.h"
#include "shell/qt/program_shell.h"
#include "window/qt/services.h"
#include "search_start.h"
#include "temp_dir.h"
#include "viewer_idle.h"
#include "platform/qt/marked_text_view.h"
#include "viewer/qt/quick_viewer.h"
#include "viewer/qt/quick_viewer_window.h"

namespace tessaly::test {
namespace {

std::string utf16LittleEndianWithMark(const QString& text) {
    std::string bytes = "\xFF\xFE";
    for (const QChar unit : text) {
        bytes += static_cast<char>(unit.unicode() & 0xFF);
        bytes += static_cast<char>(unit.unicode() >> 8);
    }
    return bytes;
}

// The same lines in three encodings; Windows-1252 has no Greek, and its
// apostrophe is the byte 0x92. "φιλοσοφία" holds σοφία but not as a word,
// and 𐐷 (U+10437) is a letter written as a surrogate pair.
const QString kLines = QStringLiteral(
    "Notes on words\r\nThe Größe of it.\r\nSokrates: φιλοσοφία is love of σοφία 𐐷.\r\n"
    "A naïve plan: don’t panic.\r\n");

struct Corpus {
    Corpus() {
        utf8 = files.write("utf8.txt", kLines.toStdString());
        utf16 = files.write("utf16.txt", utf16LittleEndianWithMark(kLines));
        windows1252 = files.write("w1252.txt",
                                  "Notes on words\r\nThe Gr\xF6\xDF"
                                  "e of it.\r\n"
                                  "A na\xEF"
                                  "ve plan: don\x92t panic.\r\n");
    }
    TempDir files;
    std::string utf8, utf16, windows1252;
};

class Program : public ScriptedProgramServices {
public:
    Program() : shell(services, data.path().string(), {}, installedEngine(), 1) { shell.load(); }

    MainWindow& window() { return shell.window(); }
    QuickViewerWindow& viewer() { return shell.quickViewer().window(); }

    // Any of the four words, every hit of each file.
    void search(const std::string& folder, const std::array<QString, 4>& words, bool matchCase) {
        window().criteria().listCategory->clear();
        window().criteria().listCategory->addItem(QString::fromStdString(folder));
        for (int i = 0; i < 4; ++i) window().criteria().searchText[i]->setText(words[i]);
        for (OperatorGroup* group : {&window().criteria().Opt1, &window().criteria().Opt2, &window().criteria().Opt3})
            (*group)[1]->setChecked(true);
        window().panel().optCase->setChecked(matchCase);
        window().panel().FileBeginning->setChecked(true);
        window().panel().resultOpt[allHitsButton]->setChecked(true);
        startSearch(shell);
    }

    TempDir data;
    ProgramShell shell;
};

QString text(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

QTextCharFormat formatAt(RichTextBox& box, int at) {
    QTextCursor cursor(box.document());
    cursor.setPosition(at + 1);
    return cursor.charFormat();
}
QTextCharFormat formatAt(GrowingRichTextBox& box, int at) { return box.formatAt(at); }

// How often `word` is shown as a hit: bold and red from its first character to its last.
template <class Box>
int markedCount(Box& box, const QString& word) {
    const QString shown = box.plainText();
    const auto hit = [&](int at) {
        const QTextCharFormat format = formatAt(box, at);
        return format.foreground().color() == QColor(255, 0, 0) && format.fontWeight() == QFont::Bold;
    };
    int marked = 0;
    for (qsizetype at = 0; (at = shown.indexOf(word, at)) >= 0; at += word.size())
        marked += hit(static_cast<int>(at)) && hit(static_cast<int>(at + word.size() - 1));
    return marked;
}

TEST(TextBeyondAscii, WordsSurviveThePaneTheViewsTheSavedFileAndThePrint) {
    Corpus corpus;
    TempDir output;
    const std::array<QString, 4> shown{QStringLiteral("Größe"), QStringLiteral("σοφία"),
                                       QStringLiteral("naïve"), QStringLiteral("don’t")};
    const struct {
        const char* name;
        std::array<QString, 4> typed;
        bool matchCase;
    } cases[] = {
        {"as written, Match Case", shown, true},
        {"other case, case ignored",
         {QStringLiteral("GRÖßE"), QStringLiteral("ΣΟΦΊΑ"), QStringLiteral("NAÏVE"),
          QStringLiteral("DON’T")},
         false},
    };
    // The words each file holds, in the order they stand.
    const struct {
        std::string path;
        std::vector<QString> words;
    } files[] = {
        {corpus.utf8, {shown[0], shown[1], shown[2], shown[3]}},
        {corpus.utf16, {shown[0], shown[1], shown[2], shown[3]}},
        {corpus.windows1252, {shown[0], shown[2], shown[3]}},
    };
    const auto filesHolding = [&](const QString& word) { return word == shown[1] ? 2 : 3; };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Program program;
        MainWindow& w = program.window();
        program.search(corpus.files.path().string(), c.typed, c.matchCase);
        ASSERT_EQ(w.status().totalNumber->text(), QStringLiteral(" 3"));
        EXPECT_TRUE(program.boxes.asked().empty());

        GrowingRichTextBox& pane = *w.results().MainResult;
        const QString paneText = pane.plainText();
        for (const QString& word : shown)
            EXPECT_EQ(markedCount(pane, word), filesHolding(word)) << word.toStdString() << "\n"
                                                                   << paneText.toStdString();
        EXPECT_EQ(paneText.count(QStringLiteral("φιλοσοφία")), 2);
        EXPECT_EQ(paneText.count(QStringLiteral("𐐷")), 2);

        for (const auto& file : files) {
            SCOPED_TRACE(file.path);
            // The single-file view, from the file's node in the result tree.
            QTreeWidgetItem* node = nullptr;
            for (QTreeWidgetItemIterator it(w.results().outlineFile); *it; ++it)
                if ((*it)->data(0, ResultView::kPathRole).toByteArray().toStdString() == file.path)
                    node = *it;
            ASSERT_NE(node, nullptr);
            emit w.results().outlineFile->itemClicked(node, 0);
            waitForSingleFileView(program.shell.singleFileView());
            for (const QString& word : file.words)
                EXPECT_EQ(markedCount(*w.results().textFile, word), 1)
                    << word.toStdString() << "\n"
                    << w.results().textFile->plainText().toStdString();

            // The quick viewer: the whole file, and Next from hit to hit,
            // passing the σοφία inside φιλοσοφία that the engine left plain.
            w.results().dispResult->setCurrentIndex(0);
            pane.setCaretOffset(static_cast<int>(paneText.indexOf(text(file.path))) + 3);
            w.commands().buttonView->click();
            waitForViewer(program.shell.quickViewer());
            ASSERT_EQ(program.shell.resultView().selectedFile().path, file.path);
            MarkedTextView& view = *program.viewer().richView;
            const QString whole = view.plainText();
            for (const QString& line : kLines.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                const bool held =
                    file.path != corpus.windows1252 || !line.startsWith(QStringLiteral("Sokrates"));
                EXPECT_EQ(whole.contains(line), held) << line.toStdString() << "\n"
                                                      << whole.toStdString();
            }
            std::vector<QString> selected;
            for (std::size_t step = 0; step < file.words.size(); ++step) {
                program.viewer().viewNext->click();
                waitForViewer(program.shell.quickViewer());
                selected.push_back(view.selectedText());
                EXPECT_TRUE(view.isMarked(view.selectionStart()));
                EXPECT_TRUE(view.isMarked(view.caretOffset() - 1));
            }
            EXPECT_EQ(selected, file.words);
        }

        // Saved as RTF, read back by the program's reader and by the box.
        const QString saved = text((output.path() / "results.rtf").string());
        program.dialogs.saveAs(saved);
        w.commands().searchSave->click();
        std::string bytes;
        ASSERT_FALSE(systemFileSystem().readAll(saved.toStdString(), bytes));
        // Other readers take raw bytes for Windows-1252: every character beyond ASCII goes as \uN.
        EXPECT_EQ(std::ranges::count_if(bytes, [](char byte) { return byte & 0x80; }), 0);
        std::string read;
        for (const RtfParagraph& paragraph : readRtf(bytes)) read += paragraph.text() + "\n";
        EXPECT_EQ(QString::fromStdString(read).trimmed(), paneText.trimmed());
        RichTextBox reread;
        reread.setRtf(bytes);
        EXPECT_EQ(reread.plainText(), paneText);
        for (const QString& word : shown) EXPECT_EQ(markedCount(reread, word), filesHolding(word));

        // Printed to a PDF file.
        const QString pdf = text((output.path() / "results.pdf").string());
        program.dialogs.acceptPrinter(pdf);
        w.commands().searchPrint->click();
        waitForPrintOf(w.commands().searchPrint);
        EXPECT_TRUE(program.boxes.asked().empty());
        if (!hasPopplerTools()) continue;
        const QString printed = pdfText(pdf);
        for (const QString& word : shown)
            EXPECT_TRUE(printed.contains(word)) << printed.toStdString();
    }
    if (!hasPopplerTools())
        GTEST_SKIP() << "poppler-utils is not installed: the print was not read back";
}

}  // namespace
}  // namespace tessaly::test
