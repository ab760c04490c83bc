#include "platform/qt/qt_print_and_save_dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace tessaly {

namespace {

// The dialog caps a range it is not given at page 9,999; the results of a
// long run print more pages than that.
constexpr int kLastPageOffered = 999'999;

}  // namespace

QtPrintAndSaveDialogs::QtPrintAndSaveDialogs(QWidget* owner) : owner_(owner) {}

bool QtPrintAndSaveDialogs::choosePrinter(QPrinter& printer, bool hasSelection) {
    QPrintDialog dialog(&printer, owner_.data());
    // Without the range option Qt still offers a range when the printer can
    // pick pages itself, and a PDF file printer then quietly prints them all.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, kLastPageOffered);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtPrintAndSaveDialogs::chooseSaveFile() {
    QFileDialog dialog(owner_.data());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("RTF File (*.rtf)"));
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    // Overwriting asks first: QFileDialog does so unless told not to.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return files.first();
}

}  // namespace tessaly
