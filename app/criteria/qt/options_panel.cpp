#include "criteria/qt/options_panel.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <algorithm>
#include <chrono>

#include "criteria/options.h"
#include "criteria/qt/option_controls.h"
#include "platform/blanks.h"
#include "platform/qt/spin_control.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/option_summary.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

// The settings file gives the extension list one length byte.
constexpr qsizetype longestExtensionList = 255;

const QString tooManyExtensionsText =
    QStringLiteral("Too many extensions. Please remove some of them!");
const QString tooManyExtensionsTitle = QStringLiteral("Too Many Extensions");
const QString extensionListTip = QStringLiteral("File extension");

// Characters as the person counts them: a character outside the basic plane
// is one, not two UTF-16 units.
qsizetype characterCount(const QString& text) {
    return text.toUcs4().size();
}

// A date text is month/day/year. A day the month does not have (29 February
// of a common year, which the default from-date names when the program starts
// on a 29 February) presets the month's last day, and a month out of range the
// nearest month; a text that is no date at all presets today.
QDate presetDate(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 3) return QDate::currentDate();
    bool monthRead = false;
    bool dayRead = false;
    bool yearRead = false;
    const int month = parts[0].trimmed().toInt(&monthRead);
    const int day = parts[1].trimmed().toInt(&dayRead);
    const int year = parts[2].trimmed().toInt(&yearRead);
    if (!monthRead || !dayRead || !yearRead) return QDate::currentDate();
    const QDate firstOfMonth(year, std::clamp(month, 1, 12), 1);
    if (!firstOfMonth.isValid()) return QDate::currentDate();
    return firstOfMonth.addDays(std::clamp(day, 1, firstOfMonth.daysInMonth()) - 1);
}

std::chrono::year_month_day calendarDay(const QDate& date) {
    using namespace std::chrono;
    return year(date.year()) / month(static_cast<unsigned>(date.month())) /
           day(static_cast<unsigned>(date.day()));
}

bool holds(const QWidget* container, const QWidget* widget) {
    return widget && (widget == container || container->isAncestorOf(widget));
}

void setToolTipAndDescription(QWidget* widget, const QString& tip) {
    widget->setToolTip(tip);
    widget->setAccessibleDescription(tip);
}

}  // namespace

OptionsPanel::OptionsPanel(MainWindow& window, Services& services)
    : window_(window),
      services_(services),
      calendars_{window.panel().monthViewFrom, window.panel().monthViewTo},
      keys_(window, [this] { accept(); }, [this] { cancel(); }) {
    MainWindow& w = window_;
    connect(w.commands().searchOption, &QPushButton::clicked, this, &OptionsPanel::open);
    connect(w.panel().advOK, &QPushButton::clicked, this, &OptionsPanel::accept);
    connect(w.panel().advCancel, &QPushButton::clicked, this, &OptionsPanel::cancel);
    connect(w.panel().searchScope, &QPushButton::clicked, this, &OptionsPanel::openScopePage);
    connect(w.panel().scopeBack, &QPushButton::clicked, this, &OptionsPanel::closeScopePage);

    for (QRadioButton* choice : {w.panel().optAll, w.panel().optYear, w.panel().optFromTo})
        connect(choice, &QRadioButton::toggled, this, &OptionsPanel::showTimeStampControls);
    connect(w.panel().timeYear, &SpinControl::valueChanged, this,
            [this](int months) { window_.panel().timeValue->setText(QString::number(months)); });
    connect(w.panel().fromButton, &QPushButton::clicked, this,
            [this] { openCalendar(window_.panel().monthViewFrom, window_.panel().dateFrom); });
    connect(w.panel().toButton, &QPushButton::clicked, this,
            [this] { openCalendar(window_.panel().monthViewTo, window_.panel().dateTo); });
    // A click picks the date; so does Enter, for those who use the keyboard.
    const auto pickWith = [this](QCalendarWidget* calendar, QLineEdit* date) {
        return [this, calendar, date](const QDate& picked) { takeDate(calendar, date, picked); };
    };
    for (auto [calendar, date] :
         {std::pair{w.panel().monthViewFrom, w.panel().dateFrom}, std::pair{w.panel().monthViewTo, w.panel().dateTo}}) {
        connect(calendar, &QCalendarWidget::clicked, this, pickWith(calendar, date));
        connect(calendar, &QCalendarWidget::activated, this, pickWith(calendar, date));
    }
    connect(qApp, &QApplication::focusChanged, this, &OptionsPanel::calendarFocusMoved);

    for (QRadioButton* choice : {w.panel().typeAll, w.panel().optType})
        connect(choice, &QRadioButton::toggled, this, &OptionsPanel::showFileTypeControls);
    connect(w.panel().nearbyCheck, &QCheckBox::toggled, this, &OptionsPanel::showNearbyControls);
    connect(w.panel().nearbyScroll, &SpinControl::valueChanged, this, [this] { showNearbyCount(window_); });
    for (QRadioButton* count : w.panel().wordOpt)
        connect(count, &QRadioButton::toggled, this, [this] { applyNearbyLimit(window_); });

    w.panel().typeText->installEventFilter(this);
    w.summary().lblExt->installEventFilter(this);
}

void OptionsPanel::open() {
    window_.panel().frameScope->hide();
    window_.panel().frameAdvanced->show();
    window_.panel().frameAdvanced->raise();
    // Opened again while open (by a call, not a click: &Option is locked),
    // the locked state must not be taken for the one to give back.
    if (!open_) lockOuterControls();
    open_ = true;
    for (QLineEdit* word : window_.criteria().searchText) word->setEnabled(false);
    for (OperatorGroup* group : {&window_.criteria().Opt1, &window_.criteria().Opt2, &window_.criteria().Opt3})
        for (QRadioButton* button : *group) button->setEnabled(false);

    showTimeStampControls();
    window_.panel().timeValue->setText(QString::number(window_.panel().timeYear->value()));
    showFileTypeControls();
    showNearbyControls();
    // The keys go where the person now works.
    window_.panel().optCase->setFocus(Qt::OtherFocusReason);
}

void OptionsPanel::openScopePage() {
    hideCalendars();
    window_.panel().frameAdvanced->hide();
    window_.panel().frameScope->show();
    window_.panel().frameScope->raise();
    window_.panel().scopeFolders->setFocus(Qt::OtherFocusReason);
}

void OptionsPanel::closeScopePage() {
    window_.panel().frameScope->hide();
    window_.panel().frameAdvanced->show();
    window_.panel().frameAdvanced->raise();
    window_.panel().searchScope->setFocus(Qt::OtherFocusReason);
}

bool OptionsPanel::accept() {
    MainWindow& w = window_;
    if (characterCount(w.panel().typeText->text()) > longestExtensionList) {
        services_.boxes.show(tooManyExtensionsText, tooManyExtensionsTitle,
                             MessageIcon::CriticalStop, MessageButtons::Ok);
        w.panel().typeText->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const std::string letters = w.panel().fileText->text().toUtf8().toStdString();
    const QString trimmed = QString::fromUtf8(std::string(trimBlanks(letters)));
    if (trimmed != w.panel().fileText->text()) w.panel().fileText->setText(trimmed);

    closePanel();
    for (OperatorGroup* group : {&w.criteria().Opt1, &w.criteria().Opt2, &w.criteria().Opt3})
        for (Operator choice : {Operator::AND, Operator::OR, Operator::NOT})
            (*group)[static_cast<std::size_t>(choice)]->setEnabled(true);
    refreshSummary(w);
    showNearbyState(w, false);
    emit displayChosen(w.panel().DispName->isChecked());
    return true;
}

void OptionsPanel::cancel() {
    closePanel();
    window_.panel().searchSub->setEnabled(true);
    for (OperatorGroup* group : {&window_.criteria().Opt1, &window_.criteria().Opt2, &window_.criteria().Opt3})
        for (QRadioButton* button : *group) button->setEnabled(true);
}

bool OptionsPanel::eventFilter(QObject* watched, QEvent* event) {
    // Both tool tips show the whole text, which the box or the label may be
    // too narrow for.
    const QEvent::Type type = event->type();
    if (type != QEvent::Enter && type != QEvent::ToolTip && type != QEvent::Leave)
        return QObject::eventFilter(watched, event);
    if (watched == window_.panel().typeText) {
        const QString list = window_.panel().typeText->text();
        // An empty box keeps the tip that says what belongs in it.
        setToolTipAndDescription(window_.panel().typeText,
                                 type == QEvent::Leave || list.isEmpty() ? extensionListTip : list);
    } else if (watched == window_.summary().lblExt && type != QEvent::Leave) {
        setToolTipAndDescription(window_.summary().lblExt, window_.summary().lblExt->text());
    }
    return QObject::eventFilter(watched, event);
}

void OptionsPanel::lockOuterControls() {
    MainWindow& w = window_;
    lockedControls_.clear();
    for (QWidget* control :
         std::initializer_list<QWidget*>{w.commands().searchNow, w.commands().viewPrev, w.commands().searchBrowse, w.criteria().searchCat,
                                         w.criteria().listCategory, w.criteria().searchAdd, w.criteria().searchCopy,
                                         w.commands().searchOption}) {
        lockedControls_.emplace_back(control, control->isEnabled());
        control->setEnabled(false);
    }
}

// What accept and cancel share: the panel goes, the words come back, the
// locked controls get their state back, and no calendar is left floating.
void OptionsPanel::closePanel() {
    window_.panel().frameAdvanced->hide();
    window_.panel().frameScope->hide();
    for (QLineEdit* word : window_.criteria().searchText) word->setEnabled(true);
    for (const auto& [control, enabled] : lockedControls_) control->setEnabled(enabled);
    lockedControls_.clear();
    open_ = false;
    hideCalendars();
    focusAfterPanel();
}

// Back where the panel was opened from; the first word when that cannot
// take the focus.
void OptionsPanel::focusAfterPanel() {
    QPushButton* option = window_.commands().searchOption;
    QWidget* next = option->isVisible() && option->isEnabled() ? static_cast<QWidget*>(option)
                                                               : window_.criteria().searchText[0];
    next->setFocus(Qt::OtherFocusReason);
}

void OptionsPanel::showTimeStampControls() {
    MainWindow& w = window_;
    const bool betweenDates = w.panel().optFromTo->isChecked();
    const bool pastMonths = w.panel().optYear->isChecked();
    for (QWidget* dateControl :
         std::initializer_list<QWidget*>{w.panel().fromButton, w.panel().toButton, w.panel().dateFrom, w.panel().dateTo})
        dateControl->setEnabled(betweenDates);
    w.panel().timeValue->setEnabled(pastMonths);
    w.panel().timeYear->setEnabled(pastMonths);
    if (!betweenDates) hideCalendars();
}

void OptionsPanel::showFileTypeControls() {
    window_.panel().typeText->setEnabled(!window_.panel().typeAll->isChecked());
}

void OptionsPanel::showNearbyControls() {
    const bool on = window_.panel().nearbyCheck->isChecked();
    window_.panel().nearbyText->setEnabled(on);
    window_.panel().nearbyScroll->setEnabled(on);
}

void OptionsPanel::openCalendar(QCalendarWidget* calendar, const QLineEdit* date) {
    // One calendar at a time: the other one would lose the focus anyway.
    hideCalendars();
    calendar->setSelectedDate(presetDate(date->text()));
    calendar->show();
    calendar->raise();
    calendar->setFocus(Qt::OtherFocusReason);
}

void OptionsPanel::takeDate(QCalendarWidget* calendar, QLineEdit* date, const QDate& picked) {
    date->setText(QString::fromStdString(dateText(calendarDay(picked))));
    calendar->hide();
}

void OptionsPanel::hideCalendars() {
    window_.panel().monthViewFrom->hide();
    window_.panel().monthViewTo->hide();
}

// The focus moving between the parts of a calendar (its grid, its month and
// year buttons) is not the calendar losing it; the window losing the focus to
// another program is not either. The calendars are watched through guarded
// pointers because the focus also moves while the window is being destroyed.
void OptionsPanel::calendarFocusMoved(QWidget* from, QWidget* to) {
    if (!to) return;
    const bool fromCalendar =
        std::any_of(calendars_.begin(), calendars_.end(),
                    [from](const auto& calendar) { return calendar && holds(calendar, from); });
    if (!fromCalendar) return;
    for (const QPointer<QCalendarWidget>& calendar : calendars_)
        if (calendar && !holds(calendar, to)) calendar->hide();
}

}  // namespace tessaly
