// Looking at what a print to a PDF file produced: its pages as the PDF lists
// them, and, with poppler's tools, the pages as pictures and as text.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRectF>
#include <QRegularExpression>
#include <QPointer>
#include <QStandardPaths>
#include <QString>
#include <QTest>
#include <QWidget>
#include <optional>
#include <vector>

#include "viewer/qt/print_run.h"

namespace tessaly::test {

// A print runs beside the window: the window's events are seen to until it
// has ended and been reported.
inline bool waitForPrint(PrintRun* run) {
    QPointer<PrintRun> watched(run);
    return QTest::qWaitFor([&] { return watched.isNull(); }, 120'000);
}
// The same for the print a command started.
inline bool waitForPrintOf(const QWidget* command) {
    return waitForPrint(command->findChild<PrintRun*>());
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The page objects of the PDF: "/Type /Page", not the "/Pages" tree above them.
inline int pdfPageCount(const QString& path) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(fileBytes(path))); it.hasNext(); it.next())
        ++count;
    return count;
}

inline bool hasPopplerTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// Every page as a grey picture at `dpi`, so that one inch is `dpi` pixels.
inline std::vector<QImage> renderPages(const QString& pdf, int dpi, const QString& workFolder) {
    const QString prefix = QDir(workFolder).filePath(QStringLiteral("page"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                       QStringLiteral("-png"), pdf, prefix});
    std::vector<QImage> pages;
    const QStringList files =
        QDir(workFolder).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name);
    for (const QString& name : files) pages.emplace_back(QDir(workFolder).filePath(name));
    return pages;
}

// The smallest rectangle holding every dark pixel; empty for a blank page.
inline QRect inkBox(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 160) box |= QRect(x, y, 1, 1);
    return box;
}

// The printed text as poppler reads it back, in reading order; ligatures
// the fonts drew ("ﬁ") read as their letters. With `firstPage`, only the
// pages from there to `lastPage`.
inline QString pdfText(const QString& pdf, int firstPage = 0, int lastPage = 0) {
    QStringList arguments{QStringLiteral("-layout")};
    if (firstPage > 0)
        arguments << QStringLiteral("-f") << QString::number(firstPage) << QStringLiteral("-l")
                  << QString::number(lastPage);
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
    tool.waitForFinished(120000);
    return QString::fromUtf8(tool.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

// Where each printed word stands, in points from the page's corner.
inline std::vector<QRectF> pdfWordBoxes(const QString& pdf) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    tool.waitForFinished(30000);
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""));
    std::vector<QRectF> boxes;
    for (auto it = word.globalMatch(QString::fromUtf8(tool.readAllStandardOutput())); it.hasNext();) {
        const QRegularExpressionMatch box = it.next();
        boxes.push_back(QRectF(QPointF(box.captured(1).toDouble(), box.captured(2).toDouble()),
                               QPointF(box.captured(3).toDouble(), box.captured(4).toDouble())));
    }
    return boxes;
}

}  // namespace tessaly::test
