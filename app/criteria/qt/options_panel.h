// The options panel (frameAdvanced): &Option opens it over the criteria view,
// &OK (or Enter) accepts what it shows and refreshes the summary, &Cancel (or
// Escape) only closes it.
// The panel edits the option controls themselves, so a cancelled change still
// stands in the controls and the next search uses it; only the summary keeps
// the last accepted values.
#pragma once

#include <QCalendarWidget>
#include <QObject>
#include <QPointer>
#include <array>
#include <utility>
#include <vector>

#include "criteria/qt/options_panel_keys.h"

class QDate;
class QLineEdit;
class QWidget;

namespace tessaly {

class MainWindow;
struct Services;

class OptionsPanel : public QObject {
    Q_OBJECT

public:
    // Connects &Option, &OK, &Cancel and the panel's dependent controls. The
    // window must outlive the panel.
    OptionsPanel(MainWindow& window, Services& services);

    void open();
    // The second page, which files a run looks at, in the first one's place.
    void openScopePage();
    void closeScopePage();
    // False when the extension list is too long: the panel stays open with
    // the focus in the list.
    bool accept();
    void cancel();

signals:
    // OK took the options: the result view is told the display they chose.
    void displayChosen(bool namesOnly);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lockOuterControls();
    void closePanel();
    void focusAfterPanel();
    void showTimeStampControls();
    void showFileTypeControls();
    void showNearbyControls();
    void openCalendar(QCalendarWidget* calendar, const QLineEdit* date);
    void takeDate(QCalendarWidget* calendar, QLineEdit* date, const QDate& picked);
    void hideCalendars();
    void calendarFocusMoved(QWidget* from, QWidget* to);

    MainWindow& window_;
    Services& services_;
    // The controls outside the panel that open disabled, with whether each
    // was enabled: closing gives back what other parts of the window (direct
    // search, the saved-word list) had decided for them.
    std::vector<std::pair<QWidget*, bool>> lockedControls_;
    std::array<QPointer<QCalendarWidget>, 2> calendars_;
    OptionsPanelKeys keys_;
    bool open_ = false;
};

}  // namespace tessaly
