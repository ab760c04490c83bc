// Enter and Escape on the options panel, as in a dialog: Enter takes what the
// panel shows (OK), Escape leaves it (Cancel), on either of its pages. In an
// open calendar Escape closes the calendar alone and gives the focus back to
// the button that opened it. The window's own Escape (Stop) does not get
// these keys while the focus is on the panel or in a calendar.
#pragma once

#include <QObject>
#include <functional>

class QCalendarWidget;
class QKeyEvent;

namespace tessaly {

class MainWindow;

class OptionsPanelKeys : public QObject {
    Q_OBJECT

public:
    OptionsPanelKeys(MainWindow& window, std::function<void()> accept, std::function<void()> cancel,
                     QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeCalendar(QCalendarWidget* calendar);

    MainWindow& window_;
    std::function<void()> accept_;
    std::function<void()> cancel_;
};

}  // namespace tessaly
