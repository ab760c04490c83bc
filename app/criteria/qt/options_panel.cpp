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
      calendars_{window.monthViewFrom, window.monthViewTo},
      keys_(window, [this] { accept(); }, [this] { cancel(); }) {
    MainWindow& w = window_;
    connect(w.searchOption, &QPushButton::clicked, this, &OptionsPanel::open);
    connect(w.advOK, &QPushButton::clicked, this, &OptionsPanel::accept);
    connect(w.advCancel, &QPushButton::clicked, this, &OptionsPanel::cancel);
    connect(w.searchScope, &QPushButton::clicked, this, &OptionsPanel::openScopePage);
    connect(w.scopeBack, &QPushButton::clicked, this, &OptionsPanel::closeScopePage);

    for (QRadioButton* choice : {w.optAll, w.optYear, w.optFromTo})
        connect(choice, &QRadioButton::toggled, this, &OptionsPanel::showTimeStampControls);
    connect(w.timeYear, &SpinControl::valueChanged, this,
            [this](int months) { window_.timeValue->setText(QString::number(months)); });
    connect(w.fromButton, &QPushButton::clicked, this,
            [this] { openCalendar(window_.monthViewFrom, window_.dateFrom); });
    connect(w.toButton, &QPushButton::clicked, this,
            [this] { openCalendar(window_.monthViewTo, window_.dateTo); });
    // A click picks the date; so does Enter, for those who use the keyboard.
    const auto pickWith = [this](QCalendarWidget* calendar, QLineEdit* date) {
        return [this, calendar, date](const QDate& picked) { takeDate(calendar, date, picked); };
    };
    for (auto [calendar, date] :
         {std::pair{w.monthViewFrom, w.dateFrom}, std::pair{w.monthViewTo, w.dateTo}}) {
        connect(calendar, &QCalendarWidget::clicked, this, pickWith(calendar, date));
        connect(calendar, &QCalendarWidget::activated, this, pickWith(calendar, date));
    }
    connect(qApp, &QApplication::focusChanged, this, &OptionsPanel::calendarFocusMoved);

    for (QRadioButton* choice : {w.typeAll, w.optType})
        connect(choice, &QRadioButton::toggled, this, &OptionsPanel::showFileTypeControls);
    connect(w.nearbyCheck, &QCheckBox::toggled, this, &OptionsPanel::showNearbyControls);
    connect(w.nearbyScroll, &SpinControl::valueChanged, this, [this] { showNearbyCount(window_); });
    for (QRadioButton* count : w.wordOpt)
        connect(count, &QRadioButton::toggled, this, [this] { applyNearbyLimit(window_); });

    w.typeText->installEventFilter(this);
    w.lblExt->installEventFilter(this);
}

void OptionsPanel::open() {
    window_.frameScope->hide();
    window_.frameAdvanced->show();
    window_.frameAdvanced->raise();
    // Opened again while open (by a call, not a click: &Option is locked),
    // the locked state must not be taken for the one to give back.
    if (!open_) lockOuterControls();
    open_ = true;
    for (QLineEdit* word : window_.searchText) word->setEnabled(false);
    for (OperatorGroup* group : {&window_.Opt1, &window_.Opt2, &window_.Opt3})
        for (QRadioButton* button : *group) button->setEnabled(false);

    showTimeStampControls();
    window_.timeValue->setText(QString::number(window_.timeYear->value()));
    showFileTypeControls();
    showNearbyControls();
    // The keys go where the person now works.
    window_.optCase->setFocus(Qt::OtherFocusReason);
}

void OptionsPanel::openScopePage() {
    hideCalendars();
    window_.frameAdvanced->hide();
    window_.frameScope->show();
    window_.frameScope->raise();
    window_.scopeFolders->setFocus(Qt::OtherFocusReason);
}

void OptionsPanel::closeScopePage() {
    window_.frameScope->hide();
    window_.frameAdvanced->show();
    window_.frameAdvanced->raise();
    window_.searchScope->setFocus(Qt::OtherFocusReason);
}

bool OptionsPanel::accept() {
    MainWindow& w = window_;
    if (characterCount(w.typeText->text()) > longestExtensionList) {
        services_.boxes.show(tooManyExtensionsText, tooManyExtensionsTitle,
                             MessageIcon::CriticalStop, MessageButtons::Ok);
        w.typeText->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const std::string letters = w.fileText->text().toUtf8().toStdString();
    const QString trimmed = QString::fromUtf8(std::string(trimBlanks(letters)));
    if (trimmed != w.fileText->text()) w.fileText->setText(trimmed);

    closePanel();
    for (OperatorGroup* group : {&w.Opt1, &w.Opt2, &w.Opt3})
        for (Operator choice : {Operator::AND, Operator::OR, Operator::NOT})
            (*group)[static_cast<std::size_t>(choice)]->setEnabled(true);
    refreshSummary(w);
    showNearbyState(w, false);
    emit displayChosen(w.DispName->isChecked());
    return true;
}

void OptionsPanel::cancel() {
    closePanel();
    window_.searchSub->setEnabled(true);
    for (OperatorGroup* group : {&window_.Opt1, &window_.Opt2, &window_.Opt3})
        for (QRadioButton* button : *group) button->setEnabled(true);
}

bool OptionsPanel::eventFilter(QObject* watched, QEvent* event) {
    // Both tool tips show the whole text, which the box or the label may be
    // too narrow for.
    const QEvent::Type type = event->type();
    if (type != QEvent::Enter && type != QEvent::ToolTip && type != QEvent::Leave)
        return QObject::eventFilter(watched, event);
    if (watched == window_.typeText) {
        const QString list = window_.typeText->text();
        // An empty box keeps the tip that says what belongs in it.
        setToolTipAndDescription(window_.typeText,
                                 type == QEvent::Leave || list.isEmpty() ? extensionListTip : list);
    } else if (watched == window_.lblExt && type != QEvent::Leave) {
        setToolTipAndDescription(window_.lblExt, window_.lblExt->text());
    }
    return QObject::eventFilter(watched, event);
}

void OptionsPanel::lockOuterControls() {
    MainWindow& w = window_;
    lockedControls_.clear();
    for (QWidget* control :
         std::initializer_list<QWidget*>{w.searchNow, w.viewPrev, w.searchBrowse, w.searchCat,
                                         w.listCategory, w.searchAdd, w.searchCopy,
                                         w.searchOption}) {
        lockedControls_.emplace_back(control, control->isEnabled());
        control->setEnabled(false);
    }
}

// What accept and cancel share: the panel goes, the words come back, the
// locked controls get their state back, and no calendar is left floating.
void OptionsPanel::closePanel() {
    window_.frameAdvanced->hide();
    window_.frameScope->hide();
    for (QLineEdit* word : window_.searchText) word->setEnabled(true);
    for (const auto& [control, enabled] : lockedControls_) control->setEnabled(enabled);
    lockedControls_.clear();
    open_ = false;
    hideCalendars();
    focusAfterPanel();
}

// Back where the panel was opened from; the first word when that cannot
// take the focus.
void OptionsPanel::focusAfterPanel() {
    QPushButton* option = window_.searchOption;
    QWidget* next = option->isVisible() && option->isEnabled() ? static_cast<QWidget*>(option)
                                                               : window_.searchText[0];
    next->setFocus(Qt::OtherFocusReason);
}

void OptionsPanel::showTimeStampControls() {
    MainWindow& w = window_;
    const bool betweenDates = w.optFromTo->isChecked();
    const bool pastMonths = w.optYear->isChecked();
    for (QWidget* dateControl :
         std::initializer_list<QWidget*>{w.fromButton, w.toButton, w.dateFrom, w.dateTo})
        dateControl->setEnabled(betweenDates);
    w.timeValue->setEnabled(pastMonths);
    w.timeYear->setEnabled(pastMonths);
    if (!betweenDates) hideCalendars();
}

void OptionsPanel::showFileTypeControls() {
    window_.typeText->setEnabled(!window_.typeAll->isChecked());
}

void OptionsPanel::showNearbyControls() {
    const bool on = window_.nearbyCheck->isChecked();
    window_.nearbyText->setEnabled(on);
    window_.nearbyScroll->setEnabled(on);
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
    window_.monthViewFrom->hide();
    window_.monthViewTo->hide();
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
