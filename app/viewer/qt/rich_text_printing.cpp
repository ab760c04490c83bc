#include "viewer/qt/rich_text_printing.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/error_tables.h"
#include "platform/file_replacement.h"
#include "platform/qt/operation_error_report.h"
#include "platform/qt/rich_text_box.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

constexpr double kMarginTwips = 1440.0;
constexpr double kTwipsPerInch = 1440.0;

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

// A copy of the text laid out for the printer: measured at the printer's
// resolution and broken into pages of the text area, without the on-screen
// border around the text.
std::unique_ptr<QTextDocument> layOutForPages(const QTextDocument& document, QPrinter& printer,
                                              QSizeF pageSize) {
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    copy->setPageSize(pageSize);
    return copy;
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

// The PDF writer does not tell when a write fails, so a PDF is checked for
// its closing line: a file cut short would print nothing or half of it.
Failure checkWrittenPdf(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return {};
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

Failure printPages(const QTextDocument& document, QPrinter& printer);

}  // namespace

Failure printRichText(const QTextDocument& document, QPrinter& printer) {
    if (!printer.isValid()) return printFailure(code::deviceUnavailable, 0, printer);
    const QString target = printer.outputFileName();
    PrintedFileSwap swap(printer);
    if (const int error = swap.begin()) {
        return printFailure(error == ENOSPC ? code::diskFull : code::deviceUnavailable, error, printer);
    }
    Failure failure = printPages(document, printer);
    if (!failure) {
        if (const int error = swap.commit()) failure = printFailure(code::printerError, error, printer);
    }
    // The failure names the file the person chose, not the one beside it.
    if (failure && !target.isEmpty()) failure.path = QFile::encodeName(target).toStdString();
    return failure;
}

namespace {

Failure printPages(const QTextDocument& document, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return startFailure(printer);

    const QRectF area = textArea(printer);
    const std::unique_ptr<QTextDocument> pages = layOutForPages(document, printer, area.size());
    // Most printers make the copies themselves; the others are sent each one.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    bool firstPage = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = 0; page < pages->pageCount(); ++page) {
            if (!firstPage && !printer.newPage()) {
                painter.end();
                return printFailure(code::printerError, 0, printer);
            }
            firstPage = false;
            // A line that went over to the next page starts exactly where
            // this one ends: without the half pixel it would be drawn here
            // too, hidden by the clip but still in the printed file's text.
            const QRectF onPage(0, page * area.height(), area.width(), area.height() - 0.5);
            painter.save();
            painter.translate(area.left(), area.top() - onPage.top());
            pages->drawContents(&painter, onPage);
            painter.restore();
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return printFailure(code::printerError, 0, printer);
    return checkWrittenPdf(printer);
}

void printChosen(const std::function<const QTextDocument&()>& document, bool hasSelection,
                 Services& services) {
    QPrinter printer(QPrinter::HighResolution);
    if (!services.dialogs.choosePrinter(printer, hasSelection)) return;
    const QTextDocument& printed = document();
    const GuardedResult result =
        runGuarded(services.boxes, ErrorTable::Printing, IgnoreAction::Leave,
                   [&] { return printRichText(printed, printer); });
    if (result == GuardedResult::EndProgram) services.end.endNow();
}

}  // namespace

void printCommand(RichTextBox& box, bool hasSelection, Services& services) {
    printChosen([&box]() -> const QTextDocument& { return *box.document(); }, hasSelection,
                services);
}

void printCommand(const std::function<std::unique_ptr<QTextDocument>()>& document,
                  bool hasSelection, Services& services) {
    std::unique_ptr<QTextDocument> made;
    printChosen(
        [&]() -> const QTextDocument& {
            made = document();
            return *made;
        },
        hasSelection, services);
}

}  // namespace tessaly
