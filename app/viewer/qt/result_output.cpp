#include "viewer/qt/result_output.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>

#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"
#include "viewer/qt/rich_text_printing.h"
#include "viewer/qt/rich_text_saving.h"

namespace tessaly {

ResultOutput::ResultOutput(MainWindow& window, Services& services)
    : window_(window), services_(services) {
    connect(window_.commands().searchPrint, &QPushButton::clicked, this, &ResultOutput::print);
    connect(window_.commands().searchSave, &QPushButton::clicked, this, &ResultOutput::save);
}

void ResultOutput::print() {
    // The printer dialog offers Selection from the result pane's selection,
    // whichever tab is printed; the whole text is printed either way.
    const bool selection = window_.results().MainResult->hasSelection();
    const PrintShown shown{window_.commands().searchPrint, window_.status().dispFile};
    if (window_.results().dispResult->currentIndex() == 0)
        printCommand([this] { return window_.results().MainResult->document(); }, selection, services_, shown);
    else
        printCommand(*window_.results().textFile, selection, services_, shown);
}

void ResultOutput::save() {
    if (window_.results().dispResult->currentIndex() == 0)
        saveCommand([this] { return window_.results().MainResult->rtf(); }, services_);
    else
        saveCommand(*window_.results().textFile, services_);
}

}  // namespace tessaly
