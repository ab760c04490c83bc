#include "viewer/qt/rich_text_printing.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/resource.h>

#include "platform/qt/rich_text_box.h"
#include "platform/qt/rtf_document_builder.h"
#include "printed_pdf.h"
#include "result_entries.h"
#include "run/result_document.h"
#include "viewer/marked_text_rtf.h"
#include "window_fixture.h"

namespace tessaly::test {
namespace {

// About two and a half pages of results on A4 or Letter: three pages.
constexpr int kFiles = 12;
constexpr int kLinesPerFile = 6;
constexpr int kInch = 72;  // pixels at the resolution the pages are looked at

class RichTextPrintingTest : public ::testing::Test {
protected:
    RichTextPrintingTest() { fillResultPane(pane, kFiles, kLinesPerFile); }

    QString file(const char* name) const { return QString::fromStdString((folder.path() / name).string()); }
    // Points the printer at a PDF file of the folder, as Print to File does.
    QString printToFile(QPrinter& printer, const char* name) const {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file(name));
        return file(name);
    }
    // An empty folder for the pictures of one print's pages.
    QString pageFolder() const {
        std::filesystem::remove_all(folder.path() / "pages");
        std::filesystem::create_directories(folder.path() / "pages");
        return QString::fromStdString((folder.path() / "pages").string());
    }

    TempDir folder;
    WindowFixture fixture;
    RichTextBox pane;
};

// Every hit line once, in its place: nothing cut at a page break, nothing
// printed twice.
void expectEveryLineOnce(const QString& printed) {
    for (int file = 1; file <= kFiles; ++file)
        for (int line = 1; line <= kLinesPerFile; ++line) {
            const QString text = QStringLiteral("file %1 line %2 with").arg(file).arg(line);
            EXPECT_EQ(printed.count(text), 1) << text.toStdString();
        }
}

TEST_F(RichTextPrintingTest, ResultsPrintPageAfterPageWithAnInchAround) {
    const QString pdf = file("results.pdf");
    fixture.dialogs.acceptPrinter(pdf);
    waitForPrint(printCommand(pane, false, fixture.services));

    EXPECT_TRUE(fixture.boxes.asked().empty());
    EXPECT_EQ(pdfPageCount(pdf), 3);
    if (!hasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed: pages not looked at";

    expectEveryLineOnce(pdfText(pdf));
    const std::vector<QImage> pages = renderPages(pdf, kInch, pageFolder());
    ASSERT_EQ(pages.size(), 3u);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        SCOPED_TRACE(page + 1);
        const QRect ink = inkBox(pages[page]);
        const int width = pages[page].width();
        const int height = pages[page].height();
        ASSERT_FALSE(ink.isEmpty());
        // Nothing within an inch of any edge; the text starts right at the inch.
        EXPECT_GE(ink.left(), kInch);
        EXPECT_LE(ink.left(), kInch + 3);
        EXPECT_GE(ink.top(), kInch);
        EXPECT_LE(ink.top(), kInch + 30);  // a page may open with a blank line
        EXPECT_LT(ink.right(), width - kInch);
        EXPECT_LT(ink.bottom(), height - kInch);
        // The long line of the first page wraps just short of the right margin.
        if (page == 0) {
            EXPECT_GT(ink.right(), width - kInch - 40);
        }
        // A page that is followed by another is filled to its lower margin.
        if (page + 1 < pages.size()) {
            EXPECT_GT(ink.bottom(), height - kInch - 30);
        }
    }
}

TEST_F(RichTextPrintingTest, SelectedTextStillPrintsTheWholeText) {
    pane.select(200, 40);
    const QString pdf = file("selected.pdf");
    fixture.dialogs.acceptPrinter(pdf);
    waitForPrint(printCommand(pane, true, fixture.services));

    EXPECT_EQ(fixture.dialogs.printerAsked(), std::vector<bool>{true});
    EXPECT_EQ(pdfPageCount(pdf), 3);
    if (!hasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed: text not read back";
    expectEveryLineOnce(pdfText(pdf));
}

// A printer that cannot reach the edge of the sheet starts its page further
// in; the text still stands an inch from the paper's edge, and never in the
// part it cannot print.
TEST_F(RichTextPrintingTest, MarginsAreMeasuredFromThePaperEdge) {
    if (!hasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed: pages not looked at";
    const struct {
        double border;  // points, on every side
        int textLeft;   // pixels at 72 dpi
    } cases[] = {{0, kInch}, {18, kInch}, {50, kInch}, {108, 108}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.border);
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = printToFile(printer, "border.pdf");
        printer.setFullPage(false);
        ASSERT_TRUE(printer.setPageMargins(QMarginsF(c.border, c.border, c.border, c.border),
                                           QPageLayout::Point));
        ASSERT_FALSE(printRichText(*pane.document(), printer).failure);

        const std::vector<QImage> rendered = renderPages(pdf, kInch, pageFolder());
        ASSERT_FALSE(rendered.empty());
        const QRect ink = inkBox(rendered.front());
        EXPECT_GE(ink.left(), c.textLeft);
        EXPECT_LE(ink.left(), c.textLeft + 3);
        EXPECT_GE(ink.top(), c.textLeft);
        EXPECT_LE(ink.top(), c.textLeft + 12);
        EXPECT_LT(ink.right(), rendered.front().width() - c.textLeft);
        EXPECT_GT(ink.right(), rendered.front().width() - c.textLeft - 40);
        EXPECT_LT(ink.bottom(), rendered.front().height() - c.textLeft);
    }
}

std::unique_ptr<QTextDocument> documentOf(const std::string& rtf) {
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    RtfColourTable colours;
    RtfDocumentBuilder(colours).insert(cursor, rtf);
    return document;
}

// The result pane of a run that found `files` files, a heading and one hit
// line each; `marks` gets the names of both in the order they stand.
std::unique_ptr<QTextDocument> resultsDocument(int files, QStringList& marks) {
    std::string rtf(kResultHeader);
    for (int file = 1; file <= files; ++file) {
        const std::string number = std::to_string(file);
        const std::string line =
            "hit E" + number + " with the {\\fs18\\cf1\\b cat}{\\plain\\f2\\fs18 \\par }";
        FileEntry entry;
        entry.fileCount = file;
        entry.heading = headingText("/home/ann/H" + number + ".txt", "1/2/2024 10:00:00");
        entry.lines = line;
        appendFileEntryBody(rtf, entry);
        marks << QStringLiteral("H%1").arg(file) << QStringLiteral("E%1").arg(file);
    }
    return documentOf(rtf + "}");
}

// A text file as the viewer prints it: `lines` short lines, and halfway a
// paragraph of `words` words that fills many pages by itself.
std::unique_ptr<QTextDocument> viewedTextDocument(int lines, int words, QStringList& marks) {
    std::u16string text;
    for (int line = 1; line <= lines; ++line) {
        text += u"L" + QString::number(line).toStdU16String() + u" of the text\n";
        marks << QStringLiteral("L%1").arg(line);
        if (line == lines / 2) {
            for (int word = 1; word <= words; ++word) {
                text += u"P" + QString::number(word).toStdU16String() + u" ";
                marks << QStringLiteral("P%1").arg(word);
            }
            text += u"\n";
        }
    }
    return documentOf(markedTextRtf(text, {}));
}

QStringList marksIn(const QString& printed) {
    static const QRegularExpression mark(QStringLiteral("\\b[EHLP]\\d+\\b"));
    QStringList found;
    for (auto it = mark.globalMatch(printed); it.hasNext();) found << it.next().captured();
    return found;
}

// Beyond some three thousand pages the whole text no longer fitted the
// layout's numbers: pages came out blank, or began far into the text. Both
// texts here run past that, one of many short paragraphs, one with a
// paragraph of forty pages; every line is printed once, in its place.
TEST_F(RichTextPrintingTest, TextsOfThousandsOfPagesPrintWholeOnceAndInOrder) {
    if (!hasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed: text not read back";
    QStringList resultMarks;
    QStringList viewedMarks;
    const struct {
        const char* name;
        std::unique_ptr<QTextDocument> document;
        const QStringList& marks;
    } cases[] = {
        {"results", resultsDocument(50'000, resultMarks), resultMarks},
        {"viewed", viewedTextDocument(200'000, 40'000, viewedMarks), viewedMarks},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = printToFile(printer, "long.pdf");
        printer.setPageSize(QPageSize(QPageSize::A4));
        const PrintReport report = printRichText(*c.document, printer);
        ASSERT_FALSE(report.failure);
        // Past 2^25 pixels at 1,200 dpi: 2,885 pages of A4 text.
        EXPECT_GT(report.pages, 2'885);
        EXPECT_EQ(report.printed, report.pages);
        const QStringList printed = marksIn(pdfText(pdf));
        EXPECT_EQ(printed.size(), c.marks.size());
        const auto wrong =
            std::mismatch(printed.begin(), printed.end(), c.marks.begin(), c.marks.end()).second;
        EXPECT_TRUE(wrong == c.marks.end()) << "wrong from " << wrong->toStdString();
    }
}

// Pages of a range are those of the whole print; a range past the end
// prints nothing, leaves no file, and says so.
TEST_F(RichTextPrintingTest, APageRangePrintsThosePagesOfTheWholePrint) {
    if (!hasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed: text not read back";
    const QString whole = file("whole.pdf");
    fixture.dialogs.acceptPrinter(whole);
    waitForPrint(printCommand(pane, false, fixture.services));
    ASSERT_EQ(pdfPageCount(whole), 3);
    const struct {
        int from, to;
        int pages;
    } cases[] = {{2, 2, 1}, {2, 9, 2}, {4, 9, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        WindowFixture window;
        const QString pdf = file("range.pdf");
        window.dialogs.acceptPrinterPages(pdf, c.from, c.to);
        waitForPrint(printCommand(pane, true, window.services));

        if (c.pages == 0) {
            EXPECT_FALSE(QFile::exists(pdf));
            ASSERT_EQ(window.boxes.asked().size(), 1u);
            EXPECT_EQ(window.boxes.asked()[0].text,
                      QStringLiteral("Nothing was printed: the text ends on page 3."));
            continue;
        }
        EXPECT_TRUE(window.boxes.asked().empty());
        EXPECT_EQ(pdfPageCount(pdf), c.pages);
        EXPECT_EQ(pdfText(pdf).toStdString(),
                  pdfText(whole, c.from, c.from + c.pages - 1).toStdString());
        QFile::remove(pdf);
    }
}

TEST_F(RichTextPrintingTest, LinesStandWhereTheScreenPutsThem) {
    if (!hasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed: text not read back";
    const auto printedWords = [this](const QString& text) {
        QTextDocument document;
        document.setPlainText(text);
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = printToFile(printer, "placed.pdf");
        printer.setPageSize(QPageSize(QPageSize::A4));
        EXPECT_FALSE(printRichText(document, printer).failure);
        return pdfWordBoxes(pdf);
    };
    // A tab reaches the next stop, 80 pixels of the screen apart: 60 points
    // on paper, not a sliver, nor so far that the next word wraps.
    const std::vector<QRectF> tabbed = printedWords(QStringLiteral("a\tb\tc"));
    ASSERT_EQ(tabbed.size(), 3u);
    for (std::size_t word = 0; word < tabbed.size(); ++word) {
        EXPECT_NEAR(tabbed[word].left(), kInch + 60.0 * word, 1) << word;
        EXPECT_NEAR(tabbed[word].top(), kInch, 1) << word;
    }
    // A paragraph read from right to left ends at the right margin.
    const std::vector<QRectF> hebrew = printedWords(QStringLiteral("\u05E9\u05DC\u05D5\u05DD"));
    ASSERT_FALSE(hebrew.empty());
    double right = 0;
    for (const QRectF& box : hebrew) right = std::max(right, box.right());
    EXPECT_NEAR(right, QPageSize(QPageSize::A4).sizePoints().width() - kInch, 1);
}

// A PDF file cannot make copies itself: each copy is printed in full.
TEST_F(RichTextPrintingTest, CopiesAreEachPrintedWhole) {
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = printToFile(printer, "copies.pdf");
    printer.setCopyCount(2);
    ASSERT_FALSE(printer.supportsMultipleCopies());
    ASSERT_FALSE(printRichText(*pane.document(), printer).failure);
    EXPECT_EQ(pdfPageCount(pdf), 6);
}

TEST_F(RichTextPrintingTest, CancelPrintsNothingAndSaysNothing) {
    fixture.dialogs.cancelPrinter();
    waitForPrint(printCommand(pane, false, fixture.services));

    EXPECT_EQ(fixture.dialogs.printerAsked().size(), 1u);
    EXPECT_TRUE(fixture.boxes.asked().empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

// A printer whose file cannot be made is a printer that is not ready; the
// answer decides what follows.
TEST_F(RichTextPrintingTest, APrinterThatCannotStartIsReportedWithAbortRetryIgnore) {
    const struct {
        std::vector<MessageAnswer> answers;
        int boxes;
        int ended;
    } cases[] = {
        {{MessageAnswer::Ignore}, 1, 0},
        {{MessageAnswer::Retry, MessageAnswer::Ignore}, 2, 0},
        {{MessageAnswer::Abort}, 1, 1},
    };
    for (const auto& c : cases) {
        WindowFixture window;
        const QString pdf = file("missing-folder/results.pdf");
        window.dialogs.acceptPrinter(pdf);
        for (MessageAnswer answer : c.answers) window.boxes.answer(answer);
        waitForPrint(printCommand(pane, false, window.services));

        ASSERT_EQ(static_cast<int>(window.boxes.asked().size()), c.boxes);
        for (const AskedBox& box : window.boxes.asked()) {
            EXPECT_EQ(box.text, QStringLiteral("Printer is not ready! ( 68)"));
            EXPECT_EQ(box.title, QStringLiteral("Operation Error"));
            EXPECT_EQ(box.icon, MessageIcon::CriticalStop);
            EXPECT_EQ(box.buttons, MessageButtons::AbortRetryIgnore);
        }
        EXPECT_EQ(window.end.ended(), c.ended);
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

// A print that fails half way (here: the files this process may write end
// at 8 KB, as a full disk would end them) leaves the file that was there as
// it was, and nothing beside it.
TEST_F(RichTextPrintingTest, APrintThatFailsHalfWayLeavesTheOldFile) {
    const QString pdf = file("results.pdf");
    std::ofstream(pdf.toStdString()) << "the old print";
    fixture.dialogs.acceptPrinter(pdf);
    fixture.boxes.answer(MessageAnswer::Ignore);
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 8 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    waitForPrint(printCommand(pane, false, fixture.services));
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldSignal);

    ASSERT_EQ(fixture.boxes.asked().size(), 1u);
    EXPECT_EQ(fixture.boxes.asked()[0].title, QStringLiteral("Operation Error"));
    std::ifstream kept(pdf.toStdString());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "the old print");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"results.pdf"});
}

// A print of thousands of pages runs beside the window: its events go on,
// the status tells the page reached and is given back at the end. A print
// the program ends halfway (its command goes with the window) leaves the
// file that was there.
TEST_F(RichTextPrintingTest, ALongPrintLetsTheWindowGoOnAndOneEndedHalfwayLeavesNoFile) {
    QStringList marks;
    const auto document = [&marks] { return resultsDocument(20'000, marks); };
    const QString pdf = file("results.pdf");
    for (const bool endedHalfway : {false, true}) {
        SCOPED_TRACE(endedHalfway);
        std::ofstream(pdf.toStdString()) << "the old print";
        auto command = std::make_unique<QWidget>();
        QLabel status(QStringLiteral("Ready"));
        fixture.dialogs.acceptPrinter(pdf);
        PrintRun* run = printCommand(document, false, fixture.services, {command.get(), &status});
        ASSERT_NE(run, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return status.text().startsWith(QStringLiteral("Printing: page")); }));
        if (endedHalfway) {
            command.reset();
        } else {
            ASSERT_TRUE(waitForPrint(run));
            EXPECT_EQ(status.text(), QStringLiteral("Ready"));
        }
        std::ifstream printed(pdf.toStdString());
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(printed), {}) == "the old print", endedHalfway);
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"results.pdf"});
    }
    EXPECT_TRUE(fixture.boxes.asked().empty());
}

}  // namespace
}  // namespace tessaly::test
