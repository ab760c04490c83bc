#include "viewer/qt/rich_text_printing.h"

#include <QFile>
#include <QFileInfo>
#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/error_tables.h"
#include "platform/file_replacement.h"
#include "platform/qt/rich_text_box.h"
#include "viewer/qt/print_run.h"
#include "viewer/qt/page_flow.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

constexpr double kMarginTwips = 1440.0;
constexpr double kTwipsPerInch = 1440.0;
// A PDF file that grows is measured now and then, not at every page.
constexpr int kPagesBetweenSizeChecks = 256;

Failure printFailure(int code, int systemError, const QPrinter& printer) {
    const QString target =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    return {code, systemError, "print", QFile::encodeName(target).toStdString()};
}

// Where the text goes on every page, in the painter's coordinates, whose
// origin is the corner of the part of the sheet the printer can reach. The
// margins are measured from the edge of the paper, so a printer with a wide
// unprintable border still leaves one inch; a border wider than an inch
// keeps the text inside it rather than losing what falls outside.
QRectF textArea(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    const double marginX = kMarginTwips * printer.logicalDpiX() / kTwipsPerInch;
    const double marginY = kMarginTwips * printer.logicalDpiY() / kTwipsPerInch;
    QRectF area = paper.adjusted(marginX, marginY, -marginX, -marginY).intersected(printable);
    // Paper hardly larger than the margins: rather all of it than nothing.
    if (area.isEmpty()) area = printable;
    return area.translated(-printable.topLeft());
}

// Why the file the printer writes to cannot be made: the errno of creating
// it, or 0 when it can be made after all. A file this creates is removed again.
int fileCreationError(const QString& file) {
    const QByteArray path = QFile::encodeName(file);
    const bool existed = ::access(path.constData(), F_OK) == 0;
    const int handle = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (handle < 0) return errno;
    ::close(handle);
    if (!existed) ::unlink(path.constData());
    return 0;
}

Failure startFailure(const QPrinter& printer) {
    if (printer.outputFileName().isEmpty())
        return printFailure(code::deviceUnavailable, 0, printer);
    const int error = fileCreationError(printer.outputFileName());
    if (error == ENOSPC) return printFailure(code::diskFull, error, printer);
    if (error != 0) return printFailure(code::deviceUnavailable, error, printer);
    return printFailure(code::printerError, 0, printer);
}

bool hasNoSpaceLeft(const QString& file) {
    struct statvfs volume {};
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    return ::statvfs(folder.constData(), &volume) == 0 && volume.f_bavail == 0;
}

bool printsToPdfFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

// Qt's PDF writer keeps the places in its file in an int: beyond 2 GB its
// table of them points anywhere, and a reader finds pages missing or none.
bool beyondPdfReach(const QPrinter& printer) {
    return printsToPdfFile(printer) &&
           QFileInfo(printer.outputFileName()).size() > std::numeric_limits<int>::max();
}

// The PDF writer does not tell when a write fails, so a PDF is checked for
// its closing line: a file cut short would print nothing or half of it.
Failure checkWrittenPdf(const QPrinter& printer) {
    if (!printsToPdfFile(printer)) return {};
    if (beyondPdfReach(printer)) return printFailure(code::printerError, 0, printer);
    QFile pdf(printer.outputFileName());
    if (pdf.open(QIODevice::ReadOnly)) {
        const qint64 tail = 32;
        pdf.seek(std::max<qint64>(0, pdf.size() - tail));
        if (pdf.read(tail).contains("%%EOF")) return {};
    }
    if (hasNoSpaceLeft(printer.outputFileName()))
        return printFailure(code::diskFull, ENOSPC, printer);
    return printFailure(code::printerError, 0, printer);
}

// A file the printer writes to is written beside it and takes its place only
// once it is whole; the printer names the chosen file again afterwards.
class PrintedFileSwap {
public:
    explicit PrintedFileSwap(QPrinter& printer)
        : printer_(printer), target_(printer.outputFileName()),
          replacement_(QFile::encodeName(target_).toStdString()) {}
    ~PrintedFileSwap() {
        if (!target_.isEmpty()) printer_.setOutputFileName(target_);
    }

    int begin() {
        if (target_.isEmpty()) return 0;
        if (const int error = replacement_.begin()) return error;
        printer_.setOutputFileName(QFile::decodeName(QByteArray::fromStdString(replacement_.temporaryPath())));
        return 0;
    }
    int commit() { return target_.isEmpty() ? 0 : replacement_.commit(); }

private:
    QPrinter& printer_;
    QString target_;
    FileReplacement replacement_;
};

// The pages of one print job, each begun on the printer when its first line
// comes, so that a page range with nothing in it begins no job at all.
class PrintJob {
public:
    PrintJob(QPrinter& printer, QRectF area) : printer_(printer), area_(area) {}

    // Draws the line on the page of that copy. False once the printer failed.
    bool draw(const QTextLine& line, int copy, int page) {
        if (failure_) return false;
        if ((copy != copy_ || page != page_) && !beginPage()) return false;
        copy_ = copy;
        page_ = page;
        // Qt's PDF writer takes a text's position in 26.6 fixed point before
        // the painter's transform applies: a page drawn from a long scroll
        // moved up lost its text, so every line is drawn where it stands on
        // its own page.
        line.draw(&painter_, area_.topLeft());
        return true;
    }
    bool failed() const { return bool(failure_); }
    int printed() const { return printed_; }
    Failure finish();

private:
    bool beginPage();

    QPrinter& printer_;
    const QRectF area_;
    QPainter painter_;
    Failure failure_;
    int printed_ = 0;
    int copy_ = -1;
    int page_ = 0;
};

bool PrintJob::beginPage() {
    if (printed_ == 0) {
        if (!painter_.begin(&printer_)) failure_ = startFailure(printer_);
    } else if (!printer_.newPage() ||
               (printed_ % kPagesBetweenSizeChecks == 0 && beyondPdfReach(printer_))) {
        failure_ = printFailure(code::printerError, 0, printer_);
    }
    if (failure_) return false;
    ++printed_;
    return true;
}

Failure PrintJob::finish() {
    const bool ended = !painter_.isActive() || painter_.end();
    if (failure_) return failure_;
    if (!ended || printer_.printerState() == QPrinter::Error)
        return printFailure(code::printerError, 0, printer_);
    return printed_ == 0 ? Failure{} : checkWrittenPdf(printer_);
}

Failure printPages(const QTextDocument& document, QPrinter& printer, PrintReport& report, PrintWatch* watch) {
    const QRectF area = textArea(printer);
    // Selection prints the whole text, as a page range of none does.
    const QPageRanges chosen =
        printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
    // Most printers make the copies themselves; the others are sent each one.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    PrintJob job(printer, area);
    for (int copy = 0; copy < copies && !job.failed() && !report.stopped; ++copy) {
        // Every page is laid out, so that page 2 is the page 2 of a whole
        // print, but only the chosen ones are drawn.
        flowPages(document, printer, area.size(), [&](const QTextLine& line, int page) {
            report.pages = page;
            if (watch) {
                watch->pages = page;
                if (watch->stop) {
                    report.stopped = true;
                    return false;
                }
            }
            if (chosen.isEmpty() || chosen.contains(page)) return job.draw(line, copy, page);
            return page < chosen.lastPage();
        });
    }
    report.printed = job.printed();
    return job.finish();
}

}  // namespace

PrintReport printRichText(const QTextDocument& document, QPrinter& printer, PrintWatch* watch) {
    PrintReport report;
    if (!printer.isValid()) {
        report.failure = printFailure(code::deviceUnavailable, 0, printer);
        return report;
    }
    const QString target = printer.outputFileName();
    PrintedFileSwap swap(printer);
    if (const int error = swap.begin()) {
        report.failure = printFailure(error == ENOSPC ? code::diskFull : code::deviceUnavailable,
                                      error, printer);
        return report;
    }
    report.failure = printPages(document, printer, report, watch);
    // A print of no page, or one stopped, leaves the file that was there as it was.
    if (report.stopped) report.failure = {};
    if (!report.failure && !report.stopped && report.printed > 0) {
        if (const int error = swap.commit())
            report.failure = printFailure(code::printerError, error, printer);
    }
    // The failure names the file the person chose, not the one beside it.
    if (report.failure && !target.isEmpty())
        report.failure.path = QFile::encodeName(target).toStdString();
    return report;
}

PrintRun* printCommand(const std::function<std::unique_ptr<QTextDocument>()>& document, bool hasSelection,
                       Services& services, PrintShown shown) {
    // One print of a text at a time: a second would only race the first to the printer.
    if (shown.command && shown.command->findChild<PrintRun*>()) {
        services.desktop.beep();
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!services.dialogs.choosePrinter(*printer, hasSelection)) return nullptr;
    return new PrintRun(std::move(printer), document(), services, shown);
}

PrintRun* printCommand(RichTextBox& box, bool hasSelection, Services& services, PrintShown shown) {
    // The print reads its own copy: the box may change while it runs.
    return printCommand([&box] { return std::unique_ptr<QTextDocument>(box.document()->clone()); },
                        hasSelection, services, shown);
}

}  // namespace tessaly
