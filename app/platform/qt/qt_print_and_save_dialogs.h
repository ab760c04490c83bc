// The print and save questions as QPrintDialog and QFileDialog.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/qt/print_and_save_dialogs.h"

namespace tessaly {

class QtPrintAndSaveDialogs final : public PrintAndSaveDialogs {
public:
    explicit QtPrintAndSaveDialogs(QWidget* owner = nullptr);

    bool choosePrinter(QPrinter& printer, bool hasSelection) override;
    std::optional<QString> chooseSaveFile() override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace tessaly
