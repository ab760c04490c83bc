#include "viewer/qt/result_output.h"

#include <QPushButton>
#include <QTabWidget>

#include "platform/qt/rich_text_box.h"
#include "window/qt/main_window.h"
#include "viewer/qt/rich_text_printing.h"
#include "viewer/qt/rich_text_saving.h"

namespace tessaly {

ResultOutput::ResultOutput(MainWindow& window, Services& services)
    : window_(window), services_(services) {
    connect(window_.searchPrint, &QPushButton::clicked, this, &ResultOutput::print);
    connect(window_.searchSave, &QPushButton::clicked, this, &ResultOutput::save);
}

void ResultOutput::print() {
    // The printer dialog offers Selection from the result pane's selection,
    // whichever tab is printed; the whole text is printed either way.
    printCommand(shownResult(), window_.MainResult->textCursor().hasSelection(), services_);
}

void ResultOutput::save() {
    saveCommand(shownResult(), services_);
}

RichTextBox& ResultOutput::shownResult() const {
    return window_.dispResult->currentIndex() == 0 ? *window_.MainResult : *window_.textFile;
}

}  // namespace tessaly
