#include "run/qt/command_states.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <initializer_list>

#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"

namespace tessaly {

namespace {

void enable(std::initializer_list<QPushButton*> buttons, bool enabled) {
    for (QPushButton* button : buttons) button->setEnabled(enabled);
}

}  // namespace

void enterRunState(MainWindow& w) {
    w.criteria().frameSearch->hide();
    w.status().ImageGreen->show();
    w.status().ImageRed->hide();
    w.results().dispResult->show();
    w.commands().searchConfig->setEnabled(false);
    w.commands().searchStop->setEnabled(true);
    enable({w.commands().searchPrint, w.commands().searchSave, w.commands().searchOption, w.commands().searchBrowse, w.commands().searchNow, w.commands().viewPrev,
            w.commands().buttonView, w.commands().buttonDetail},
           false);
}

void enterFinishedState(MainWindow& w) {
    enable({w.commands().searchConfig, w.commands().searchPrint, w.commands().buttonView, w.commands().buttonDetail, w.commands().searchSave}, true);
    enable({w.commands().viewPrev, w.commands().searchStop, w.commands().searchOption, w.commands().searchBrowse}, false);
    w.status().ImageGreen->hide();
    w.status().ImageRed->show();
}

void enterCriteriaState(MainWindow& w) {
    enable({w.commands().searchNow, w.commands().viewPrev}, true);
    enable({w.commands().searchConfig, w.commands().searchStop}, false);
    enable({w.commands().searchOption, w.commands().searchBrowse}, true);
    enable({w.commands().searchSave, w.commands().searchPrint}, false);
    w.results().dispResult->hide();
    w.criteria().frameSearch->show();
    enable({w.commands().buttonView, w.commands().buttonDetail}, false);
}

void enterFoundState(MainWindow& w) {
    w.criteria().frameSearch->hide();
    w.results().dispResult->show();
    enable({w.commands().searchConfig, w.commands().searchSave, w.commands().searchPrint, w.commands().buttonView, w.commands().buttonDetail}, true);
    enable({w.commands().viewPrev, w.commands().searchNow, w.commands().searchStop, w.commands().searchOption, w.commands().searchBrowse}, false);
}

}  // namespace tessaly
