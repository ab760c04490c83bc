// The options panel driven through its buttons, with the message boxes
// answered by script.
#include "criteria/qt/options_panel.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <chrono>
#include <vector>

#include "criteria/qt/option_controls.h"
#include "platform/qt/spin_control.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/option_summary.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/window_keys.h"
#include "window_fixture.h"

namespace tessaly {
namespace {

using namespace std::chrono;
using test::WindowFixture;

class OptionsPanelTest : public ::testing::Test {
protected:
    // The window as start-up leaves it, with the given options.
    void startWith(const Options& options) {
        showOptions(window, options);
        refreshSummary(window);
        showNearbyState(window, true);
        window.panel().frameAdvanced->hide();
    }

    static Options nearbyOn() {
        Options options = defaultOptions(2024y / March / 15d);
        options.nearbyOn = true;
        options.contextWords = 30;
        options.nearbyWords = options.nearbySpinValue = 25;
        return options;
    }

    std::vector<QWidget*> lockedWhileOpen() const {
        // &Option too: its Alt+O is the panel's &OK while the panel is shown.
        std::vector<QWidget*> controls{window.commands().searchNow, window.commands().viewPrev,     window.commands().searchBrowse,
                                       window.criteria().searchCat, window.criteria().listCategory, window.criteria().searchAdd,
                                       window.criteria().searchCopy, window.commands().searchOption};
        for (QLineEdit* word : window.criteria().searchText) controls.push_back(word);
        for (const OperatorGroup* group : {&window.criteria().Opt1, &window.criteria().Opt2, &window.criteria().Opt3})
            for (QRadioButton* button : *group) controls.push_back(button);
        return controls;
    }

    bool nearbyButtonsEnabled() const {
        return window.criteria().Opt1[3]->isEnabled() && window.criteria().Opt2[3]->isEnabled() &&
               window.criteria().Opt3[3]->isEnabled();
    }

    // Shown and active, with the window's own keys, as keys need it.
    void showActiveWithKeys() {
        installWindowKeys(window);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }

    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    OptionsPanel panel{window, fixture.services};
};

// Enter is OK and Escape is Cancel wherever the focus is on the panel, on
// either page, and Alt+O is OK while the panel is shown. The keys go into
// the panel when it opens and back to &Option when it closes.
TEST_F(OptionsPanelTest, EnterAcceptsEscapeCancelsAndAltOIsOk) {
    startWith(defaultOptions(2024y / March / 15d));
    showActiveWithKeys();
    const struct {
        const char* name;
        QWidget* focus;  // null: where opening put it
        bool scopePage;
        int key;
        Qt::KeyboardModifiers modifiers;
        bool accepted;
    } cases[] = {
        {"Enter on a check box", nullptr, false, Qt::Key_Return, Qt::NoModifier, true},
        {"keypad Enter in a text box", window.panel().fileText, false, Qt::Key_Enter, Qt::KeypadModifier, true},
        {"Escape in a text box", window.panel().fileText, false, Qt::Key_Escape, Qt::NoModifier, false},
        {"Escape on the second page", window.panel().scopeFolders, true, Qt::Key_Escape, Qt::NoModifier, false},
        {"Enter in a spin box of the second page", window.panel().scopeSize, true, Qt::Key_Return, Qt::NoModifier, true},
        {"Alt+O", nullptr, false, Qt::Key_O, Qt::AltModifier, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window.commands().searchOption->click();
        ASSERT_EQ(QApplication::focusWidget(), window.panel().optCase);
        const bool shownBefore = !window.summary().caseYes->isHidden();
        window.panel().optCase->toggle();
        if (c.scopePage) window.panel().searchScope->click();
        if (c.focus) c.focus->setFocus(Qt::TabFocusReason);
        press(c.key, c.modifiers);
        // A mnemonic clicks a moment after the key.
        EXPECT_TRUE(QTest::qWaitFor([this] { return window.panel().frameAdvanced->isHidden(); }, 1000));
        EXPECT_TRUE(window.panel().frameScope->isHidden());
        EXPECT_EQ(!window.summary().caseYes->isHidden(), c.accepted ? window.panel().optCase->isChecked() : shownBefore);
        EXPECT_EQ(QApplication::focusWidget(), window.commands().searchOption);
    }
}

TEST_F(OptionsPanelTest, EscapeClosesAnOpenCalendarOnly) {
    Options options = defaultOptions(2024y / March / 15d);
    options.dateRule = DateRule::between;
    startWith(options);
    showActiveWithKeys();
    window.commands().searchOption->click();
    for (auto [button, calendar] : {std::pair{window.panel().fromButton, window.panel().monthViewFrom},
                                    std::pair{window.panel().toButton, window.panel().monthViewTo}}) {
        SCOPED_TRACE(button->objectName().toStdString());
        button->click();
        ASSERT_TRUE(calendar->isAncestorOf(QApplication::focusWidget()));
        press(Qt::Key_Escape);
        EXPECT_TRUE(calendar->isHidden());
        EXPECT_FALSE(window.panel().frameAdvanced->isHidden());
        EXPECT_EQ(QApplication::focusWidget(), button);
    }
    press(Qt::Key_Escape);
    EXPECT_TRUE(window.panel().frameAdvanced->isHidden());
}

TEST_F(OptionsPanelTest, OpenLocksTheCriteriaAndClosingGivesThemBack) {
    for (QPushButton* close : {window.panel().advOK, window.panel().advCancel}) {
        SCOPED_TRACE(close->objectName().toStdString());
        startWith(nearbyOn());
        window.commands().searchOption->click();
        EXPECT_FALSE(window.panel().frameAdvanced->isHidden());
        for (QWidget* control : lockedWhileOpen())
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();

        close->click();
        EXPECT_TRUE(window.panel().frameAdvanced->isHidden());
        for (QWidget* control : lockedWhileOpen())
            EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    }
}

TEST_F(OptionsPanelTest, ClosingKeepsWhatDirectSearchAndTheWordListDisabled) {
    startWith(nearbyOn());
    // Direct search on, no saved word selected.
    for (QWidget* off :
         std::initializer_list<QWidget*>{window.commands().searchBrowse, window.criteria().listCategory, window.criteria().searchCat,
                                         window.criteria().searchAdd, window.criteria().searchCopy})
        off->setEnabled(false);
    for (QPushButton* close : {window.panel().advOK, window.panel().advCancel}) {
        SCOPED_TRACE(close->objectName().toStdString());
        window.commands().searchOption->click();
        window.commands().searchOption->click();  // a second press while open changes nothing
        close->click();
        for (QWidget* off :
             std::initializer_list<QWidget*>{window.commands().searchBrowse, window.criteria().listCategory,
                                             window.criteria().searchCat, window.criteria().searchAdd, window.criteria().searchCopy})
            EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
        EXPECT_TRUE(window.commands().searchNow->isEnabled());
        EXPECT_TRUE(window.commands().viewPrev->isEnabled());
        EXPECT_TRUE(window.criteria().searchText[0]->isEnabled());
    }
}

TEST_F(OptionsPanelTest, OpenSetsTheDependentControlsFromTheOptions) {
    const struct {
        DateRule dateRule;
        FileTypes fileTypes;
        bool nearby;
        bool dates;
        bool months;
        bool extensions;
    } cases[] = {
        {DateRule::anyDate, FileTypes::every, false, false, false, false},
        {DateRule::inPastMonths, FileTypes::listed, true, false, true, true},
        {DateRule::between, FileTypes::noButton, true, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.dateRule));
        Options options = nearbyOn();
        options.dateRule = c.dateRule;
        options.fileTypes = c.fileTypes;
        options.nearbyOn = c.nearby;
        options.pastMonths = 4;
        startWith(options);
        window.commands().searchOption->click();
        for (QWidget* date : std::initializer_list<QWidget*>{window.panel().fromButton, window.panel().toButton,
                                                             window.panel().dateFrom, window.panel().dateTo})
            EXPECT_EQ(date->isEnabled(), c.dates) << date->objectName().toStdString();
        EXPECT_EQ(window.panel().timeValue->isEnabled(), c.months);
        EXPECT_EQ(window.panel().timeYear->isEnabled(), c.months);
        EXPECT_EQ(window.panel().timeValue->text(), QStringLiteral("4"));
        EXPECT_EQ(window.panel().typeText->isEnabled(), c.extensions);
        EXPECT_EQ(window.panel().nearbyText->isEnabled(), c.nearby);
        EXPECT_EQ(window.panel().nearbyScroll->isEnabled(), c.nearby);
        window.panel().advCancel->click();
    }
}

TEST_F(OptionsPanelTest, ChoicesEnableTheirControls) {
    startWith(defaultOptions(2024y / March / 15d));
    window.commands().searchOption->click();

    window.panel().optFromTo->click();
    EXPECT_TRUE(window.panel().fromButton->isEnabled());
    EXPECT_TRUE(window.panel().dateTo->isEnabled());
    EXPECT_FALSE(window.panel().timeYear->isEnabled());
    window.panel().fromButton->click();
    EXPECT_FALSE(window.panel().monthViewFrom->isHidden());
    window.panel().optAll->click();
    EXPECT_TRUE(window.panel().monthViewFrom->isHidden()) << "all files hides an open calendar";
    EXPECT_FALSE(window.panel().fromButton->isEnabled());
    EXPECT_FALSE(window.panel().timeValue->isEnabled());

    window.panel().optFromTo->click();
    window.panel().toButton->click();
    window.panel().optYear->click();
    EXPECT_TRUE(window.panel().monthViewTo->isHidden());
    EXPECT_TRUE(window.panel().timeValue->isEnabled());
    EXPECT_TRUE(window.panel().timeYear->isEnabled());
    EXPECT_FALSE(window.panel().dateFrom->isEnabled());

    window.panel().optType->click();
    EXPECT_TRUE(window.panel().typeText->isEnabled());
    window.panel().typeAll->click();
    EXPECT_FALSE(window.panel().typeText->isEnabled());

    window.panel().nearbyCheck->click();
    EXPECT_TRUE(window.panel().nearbyText->isEnabled());
    EXPECT_TRUE(window.panel().nearbyScroll->isEnabled());
    window.panel().nearbyCheck->click();
    EXPECT_FALSE(window.panel().nearbyScroll->isEnabled());
}

TEST_F(OptionsPanelTest, CountsFollowTheirSpinControls) {
    startWith(nearbyOn());
    window.commands().searchOption->click();
    window.panel().optYear->click();

    window.panel().timeYear->setValue(12);
    window.panel().timeYear->stepUp();
    EXPECT_EQ(window.panel().timeValue->text(), QStringLiteral("12"));
    window.panel().timeYear->setValue(1);
    window.panel().timeYear->stepDown();
    EXPECT_EQ(window.panel().timeValue->text(), QStringLiteral("1"));
    window.panel().timeYear->stepUp();
    EXPECT_EQ(window.panel().timeValue->text(), QStringLiteral("2"));

    // Surrounding words cap the nearby count, and a lower count survives a
    // higher cap.
    window.panel().wordOpt[1]->click();
    EXPECT_EQ(window.panel().nearbyText->text(), QStringLiteral("20"));
    EXPECT_EQ(window.panel().nearbyScroll->maximum(), 20);
    window.panel().wordOpt[0]->click();
    EXPECT_EQ(window.panel().nearbyText->text(), QStringLiteral("10"));
    window.panel().wordOpt[2]->click();
    EXPECT_EQ(window.panel().nearbyScroll->maximum(), 30);
    EXPECT_EQ(window.panel().nearbyText->text(), QStringLiteral("10"));
    window.panel().nearbyScroll->stepUp();
    EXPECT_EQ(window.panel().nearbyText->text(), QStringLiteral("11"));

    window.panel().advOK->click();
    EXPECT_EQ(window.summary().nearbyLabel->text(), QStringLiteral("11"));
    EXPECT_EQ(window.summary().timeStamp->text(), QStringLiteral("Past 2 Months"));
    EXPECT_FALSE(window.summary().numThirty->isHidden());
}

TEST_F(OptionsPanelTest, CalendarsArePresetFromTheDateAndPickADate) {
    const struct {
        const char* text;
        QDate preset;
    } cases[] = {
        {"3/7/2003", QDate(2003, 3, 7)},
        {"12/31/1999", QDate(1999, 12, 31)},
        {"2/29/2020", QDate(2020, 2, 29)},
        {"2/29/2019", QDate(2019, 2, 28)},  // the default from-date five years after a 29 February
        {"4/31/2010", QDate(2010, 4, 30)},
        {"not a date", QDate::currentDate()},
    };
    Options options = defaultOptions(2024y / March / 15d);
    options.dateRule = DateRule::between;
    startWith(options);
    window.commands().searchOption->click();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        window.panel().dateTo->setText(QString::fromLatin1(c.text));
        window.panel().toButton->click();
        EXPECT_FALSE(window.panel().monthViewTo->isHidden());
        EXPECT_EQ(window.panel().monthViewTo->selectedDate(), c.preset);
    }
    emit window.panel().monthViewTo->clicked(QDate(2004, 1, 9));
    EXPECT_EQ(window.panel().dateTo->text(), QStringLiteral("1/9/2004"));
    EXPECT_TRUE(window.panel().monthViewTo->isHidden());

    window.panel().fromButton->click();
    emit window.panel().monthViewFrom->activated(QDate(2011, 10, 2));
    EXPECT_EQ(window.panel().dateFrom->text(), QStringLiteral("10/2/2011"));
    EXPECT_TRUE(window.panel().monthViewFrom->isHidden());

    window.panel().advOK->click();
    EXPECT_EQ(window.summary().timeStamp->text(), QStringLiteral("10/2/2011 - 1/9/2004"));
}

TEST_F(OptionsPanelTest, CalendarHidesWhenTheFocusLeavesIt) {
    Options options = defaultOptions(2024y / March / 15d);
    options.dateRule = DateRule::between;
    startWith(options);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.commands().searchOption->click();

    window.panel().fromButton->click();
    ASSERT_TRUE(window.panel().monthViewFrom->isAncestorOf(QApplication::focusWidget()));
    // Typing a year moves the focus inside the calendar, which stays open.
    auto* yearButton =
        window.panel().monthViewFrom->findChild<QAbstractButton*>(QStringLiteral("qt_calendar_yearbutton"));
    ASSERT_NE(yearButton, nullptr);
    yearButton->click();
    QWidget* yearEdit =
        window.panel().monthViewFrom->findChild<QWidget*>(QStringLiteral("qt_calendar_yearedit"));
    ASSERT_NE(yearEdit, nullptr);
    ASSERT_TRUE(yearEdit->isAncestorOf(QApplication::focusWidget()) ||
                yearEdit == QApplication::focusWidget());
    EXPECT_FALSE(window.panel().monthViewFrom->isHidden());

    window.panel().fileText->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(window.panel().monthViewFrom->isHidden());
    EXPECT_TRUE(window.panel().monthViewTo->isHidden());

    // Opening one calendar after the other leaves the second one open.
    window.panel().fromButton->click();
    window.panel().toButton->click();
    EXPECT_TRUE(window.panel().monthViewFrom->isHidden());
    EXPECT_FALSE(window.panel().monthViewTo->isHidden());
    EXPECT_TRUE(window.panel().monthViewTo->isAncestorOf(QApplication::focusWidget()));

    window.panel().advCancel->click();
    EXPECT_TRUE(window.panel().monthViewTo->isHidden());
}

TEST_F(OptionsPanelTest, ExtensionListOfMoreThan255CharactersIsRefused) {
    const struct {
        const char* name;
        QString list;
        bool accepted;
    } cases[] = {
        {"255 characters", QString(255, QLatin1Char('x')), true},
        {"256 characters", QString(256, QLatin1Char('x')), false},
        {"255 characters outside the basic plane", QString::fromUtf8("😀").repeated(255), true},
        {"256 of them", QString::fromUtf8("😀").repeated(256), false},
    };
    Options options = defaultOptions(2024y / March / 15d);
    options.fileTypes = FileTypes::listed;
    options.typeList = "txt";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startWith(options);
        fixture.boxes = {};
        window.commands().searchOption->click();
        window.panel().typeText->setText(c.list);
        window.panel().fileText->setFocus();
        EXPECT_EQ(panel.accept(), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(fixture.boxes.asked().empty());
            EXPECT_TRUE(window.panel().frameAdvanced->isHidden());
            EXPECT_EQ(window.summary().lblExt->text(), c.list);
            continue;
        }
        ASSERT_EQ(fixture.boxes.asked().size(), 1u);
        const test::AskedBox& box = fixture.boxes.asked().front();
        EXPECT_EQ(box.text, QStringLiteral("Too many extensions. Please remove some of them!"));
        EXPECT_EQ(box.title, QStringLiteral("Too Many Extensions"));
        EXPECT_EQ(box.icon, MessageIcon::CriticalStop);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_FALSE(window.panel().frameAdvanced->isHidden());
        EXPECT_FALSE(window.commands().searchNow->isEnabled());
        EXPECT_EQ(window.focusWidget(), window.panel().typeText);
        EXPECT_EQ(window.summary().lblExt->text(), QStringLiteral("txt")) << "summary untouched";
        window.panel().advCancel->click();
    }
}

TEST_F(OptionsPanelTest, NearbyOffTakesEffectOnOkOnly) {
    struct Close {
        QPushButton* button;
        bool nearbyEnabled;
        const char* nearbyLabel;
    };
    for (const Close& close :
         {Close{window.panel().advOK, false, "Don't Apply"}, Close{window.panel().advCancel, true, "25"}}) {
        SCOPED_TRACE(close.button->objectName().toStdString());
        startWith(nearbyOn());
        window.commands().searchOption->click();
        window.panel().nearbyCheck->click();
        close.button->click();
        EXPECT_EQ(nearbyButtonsEnabled(), close.nearbyEnabled);
        EXPECT_EQ(window.summary().nearbyLabel->text(), QString::fromUtf8(close.nearbyLabel));
    }
}

TEST_F(OptionsPanelTest, CancelledChangeStaysInTheControlsNotInTheSummary) {
    startWith(defaultOptions(2024y / March / 15d));
    std::vector<bool> chosen;
    QObject::connect(&panel, &OptionsPanel::displayChosen, [&](bool namesOnly) { chosen.push_back(namesOnly); });
    window.commands().searchOption->click();
    window.panel().optCase->click();
    window.panel().DispName->click();
    window.panel().advCancel->click();
    EXPECT_FALSE(window.summary().caseNo->isHidden());
    EXPECT_TRUE(window.summary().caseYes->isHidden());
    EXPECT_EQ(window.summary().dispOption->text(), QStringLiteral("Name and Text"));
    EXPECT_TRUE(chosen.empty()) << "cancel chooses no display";
    EXPECT_TRUE(readOptions(window).matchCase) << "the next search matches case";
    EXPECT_TRUE(nearbyButtonsEnabled()) << "cancel enables NEARBY whatever the option";

    window.commands().searchOption->click();
    window.panel().advOK->click();
    EXPECT_FALSE(window.summary().caseYes->isHidden());
    EXPECT_EQ(window.summary().dispOption->text(), QStringLiteral("Name Only"));
    EXPECT_EQ(chosen, std::vector<bool>{true}) << "OK tells the result view: Name Only";
    EXPECT_FALSE(nearbyButtonsEnabled());
}

TEST_F(OptionsPanelTest, OkTrimsTheFileNameLetters) {
    startWith(defaultOptions(2024y / March / 15d));
    for (const char* letters : {"  ab ", "   "}) {
        SCOPED_TRACE(letters);
        window.commands().searchOption->click();
        window.panel().fileText->setText(QString::fromLatin1(letters));
        window.panel().advOK->click();
        const QString trimmed = QString::fromLatin1(letters).trimmed();
        EXPECT_EQ(window.panel().fileText->text(), trimmed);
        EXPECT_EQ(window.summary().beginningLetter->text(),
                  trimmed.isEmpty() ? QStringLiteral("Any Letters") : trimmed);
    }
}

TEST_F(OptionsPanelTest, HoverShowsTheWholeExtensionList) {
    Options options = defaultOptions(2024y / March / 15d);
    options.fileTypes = FileTypes::listed;
    options.typeList = "txt doc rtf";
    startWith(options);
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);

    window.panel().typeText->setText(QStringLiteral("txt doc rtf htm"));
    QApplication::sendEvent(window.panel().typeText, &enter);
    EXPECT_EQ(window.panel().typeText->toolTip(), QStringLiteral("txt doc rtf htm"));
    QApplication::sendEvent(window.panel().typeText, &leave);
    EXPECT_EQ(window.panel().typeText->toolTip(), QStringLiteral("File extension"));
    window.panel().typeText->clear();
    QApplication::sendEvent(window.panel().typeText, &enter);
    EXPECT_EQ(window.panel().typeText->toolTip(), QStringLiteral("File extension"));

    QApplication::sendEvent(window.summary().lblExt, &enter);
    EXPECT_EQ(window.summary().lblExt->toolTip(), QStringLiteral("txt doc rtf"));
}

}  // namespace
}  // namespace tessaly
