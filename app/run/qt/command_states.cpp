#include "run/qt/command_states.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <initializer_list>

#include "window/qt/main_window.h"

namespace tessaly {

namespace {

void enable(std::initializer_list<QPushButton*> buttons, bool enabled) {
    for (QPushButton* button : buttons) button->setEnabled(enabled);
}

}  // namespace

void enterRunState(MainWindow& w) {
    w.frameSearch->hide();
    w.ImageGreen->show();
    w.ImageRed->hide();
    w.dispResult->show();
    w.searchConfig->setEnabled(false);
    w.searchStop->setEnabled(true);
    enable({w.searchPrint, w.searchSave, w.searchOption, w.searchBrowse, w.searchNow, w.viewPrev,
            w.buttonView, w.buttonDetail},
           false);
}

void enterFinishedState(MainWindow& w) {
    enable({w.searchConfig, w.searchPrint, w.buttonView, w.buttonDetail, w.searchSave}, true);
    enable({w.viewPrev, w.searchStop, w.searchOption, w.searchBrowse}, false);
    w.ImageGreen->hide();
    w.ImageRed->show();
}

void enterCriteriaState(MainWindow& w) {
    enable({w.searchNow, w.viewPrev}, true);
    enable({w.searchConfig, w.searchStop}, false);
    enable({w.searchOption, w.searchBrowse}, true);
    enable({w.searchSave, w.searchPrint}, false);
    w.dispResult->hide();
    w.frameSearch->show();
    enable({w.buttonView, w.buttonDetail}, false);
}

void enterFoundState(MainWindow& w) {
    w.frameSearch->hide();
    w.dispResult->show();
    enable({w.searchConfig, w.searchSave, w.searchPrint, w.buttonView, w.buttonDetail}, true);
    enable({w.viewPrev, w.searchNow, w.searchStop, w.searchOption, w.searchBrowse}, false);
}

}  // namespace tessaly
