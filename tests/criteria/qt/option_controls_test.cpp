// The options through the window's controls: showing them, reading them back,
// and the summary of the main view.
#include "criteria/qt/option_controls.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <chrono>
#include <string>
#include <vector>

#include "platform/qt/spin_control.h"
#include "window/qt/main_window.h"
#include "window/qt/criteria_view.h"
#include "window/qt/option_summary.h"
#include "window/qt/options_panel_view.h"
#include "window_fixture.h"

namespace tessaly {
namespace {

using namespace std::chrono;
using test::WindowFixture;

constexpr year_month_day today = 2024y / March / 15d;

// Every option away from its default, so that a later row has something to
// undo.
Options everythingChanged() {
    Options options = defaultOptions(today);
    options.matchCase = true;
    options.smartSearch = true;
    options.searchSubfolders = false;
    options.fileTypes = FileTypes::listed;
    options.typeList = "txt doc";
    options.showAllHits = true;
    options.contextWords = 30;
    options.dateRule = DateRule::inPastMonths;
    options.pastMonths = 11;
    options.display = Display::namesOnly;
    options.nearbyOn = true;
    options.nearbyWords = options.nearbySpinValue = 25;
    options.viewerStart = ViewerStart::FoundWord;
    options.nameStartLetters = "ab";
    options.operator1 = Operator::NEARBY;
    options.operator2 = Operator::OR;
    options.operator3 = Operator::NOT;
    return options;
}

Options noButtonsSelected() {
    Options options = everythingChanged();
    options.fileTypes = FileTypes::noButton;
    options.showAllHits = std::nullopt;
    options.contextWords = 0;
    options.dateRule = DateRule::noButton;
    options.display = Display::noButton;
    options.nearbyWords = options.nearbySpinValue = 30;
    return options;
}

TEST(OptionControls, ShowAndReadBackEveryOption) {
    struct Row {
        const char* name;
        Options options;
    };
    std::vector<Row> rows{{"defaults", defaultOptions(today)},
                          {"everything changed", everythingChanged()},
                          {"groups with no button selected", noButtonsSelected()}};
    {
        Options fromTo = defaultOptions(today);
        fromTo.dateRule = DateRule::between;
        fromTo.dateFrom = "1/2/2003";
        fromTo.dateTo = "12/31/2023";
        fromTo.contextWords = 20;
        fromTo.showAllHits = false;
        fromTo.nearbyWords = fromTo.nearbySpinValue = 20;
        fromTo.typeList = "größe ☃";
        fromTo.nameStartLetters = "été";
        rows.push_back({"between dates, texts beyond ASCII", fromTo});
    }

    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        showOptions(window, everythingChanged());
        showOptions(window, row.options);
        Options expected = row.options;
        expected.geometry = {};
        EXPECT_EQ(readOptions(window), expected);
    }
}

TEST(OptionControls, GroupWithNoButtonShowsNoneSelected) {
    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    showOptions(window, noButtonsSelected());
    for (QRadioButton* button :
         {window.panel().typeAll, window.panel().optType, window.panel().resultOpt[0], window.panel().resultOpt[1],
          window.panel().wordOpt[0], window.panel().wordOpt[1], window.panel().wordOpt[2], window.panel().optAll, window.panel().optYear,
          window.panel().optFromTo, window.panel().DispFull, window.panel().DispName})
        EXPECT_FALSE(button->isChecked()) << button->objectName().toStdString();

    // The person can still pick one, and then only one stays selected.
    window.panel().wordOpt[0]->click();
    window.panel().wordOpt[1]->click();
    EXPECT_FALSE(window.panel().wordOpt[0]->isChecked());
    EXPECT_TRUE(window.panel().wordOpt[1]->isChecked());
}

TEST(OptionControls, CountsStayInTheirRanges) {
    const struct {
        const char* name;
        int contextWords;
        int nearbyWords;
        int nearbySpinValue;
        int pastMonths;
        int shownCount;
        int countLimit;
        int shownMonths;
    } cases[] = {
        {"10 words hold a count of 50 to 10", 10, 50, 50, 6, 10, 10, 6},
        {"20 words keep 15", 20, 15, 15, 6, 15, 20, 6},
        {"20 words hold 25 to 20", 20, 25, 25, 6, 20, 20, 6},
        {"30 words hold 200 to 30", 30, 200, 200, 6, 30, 30, 6},
        {"no words button: 30, as the search takes it", 0, 40, 40, 6, 30, 30, 6},
        {"the text's count is the count", 30, 7, 9, 6, 7, 30, 6},
        {"a count of 0 becomes 1, 13 months 12", 10, 0, 0, 13, 1, 10, 12},
        {"0 months become 1", 10, 1, 1, 0, 1, 10, 1},
    };
    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Options options = defaultOptions(today);
        options.contextWords = c.contextWords;
        options.nearbyOn = true;
        options.nearbyWords = c.nearbyWords;
        options.nearbySpinValue = c.nearbySpinValue;
        options.pastMonths = c.pastMonths;
        showOptions(window, options);
        EXPECT_EQ(window.panel().nearbyText->text(), QString::number(c.shownCount));
        EXPECT_EQ(window.panel().nearbyScroll->value(), c.shownCount);
        EXPECT_EQ(window.panel().nearbyScroll->maximum(), c.countLimit);
        EXPECT_EQ(window.panel().timeValue->text(), QString::number(c.shownMonths));
        EXPECT_EQ(window.panel().timeYear->value(), c.shownMonths);
    }
}

// The labels of the summary that are showing, with their texts, top to bottom.
std::vector<std::string> shownSummary(const MainWindow& window) {
    std::vector<std::string> shown;
    for (QLabel* label :
         {window.summary().caseYes, window.summary().caseNo, window.summary().smartYes, window.summary().smartNo, window.summary().subYes,
          window.summary().subNo, window.summary().showAll, window.summary().showOne, window.summary().numTen, window.summary().numTwenty,
          window.summary().numThirty, window.summary().timeStamp, window.summary().lblExt, window.summary().nearbyLabel, window.summary().dispOption,
          window.summary().lblBeginning, window.summary().beginningLetter})
        if (!label->isHidden()) shown.push_back(label->text().toStdString());
    return shown;
}

TEST(OptionControls, SummaryShowsTheOptions) {
    using Texts = std::vector<std::string>;
    Options fromTo = everythingChanged();
    fromTo.dateRule = DateRule::between;
    fromTo.dateFrom = "3/7/2003";
    fromTo.dateTo = "11/12/2023";
    fromTo.smartSearch = false;
    fromTo.nameStartLetters = "  ab c  ";
    fromTo.contextWords = 20;
    fromTo.nearbyOn = false;
    const struct {
        const char* name;
        Options options;
        Texts shown;
    } cases[] = {
        {"defaults",
         defaultOptions(today),
         {"No", "Yes", "One Hit Only", "10", "All Files", "All File Types", "Don't Apply",
          "Name and Text", "Beginning of File", "Any Letters"}},
        {"everything changed",
         everythingChanged(),
         {"Yes", "YES", "No", "All Hits", "30", "Past 11 Months", "txt doc", "25", "Name Only",
          "First Word Found", "ab"}},
        {"between dates; smart search off shows nothing; letters trimmed",
         fromTo,
         {"Yes", "No", "All Hits", "20", "3/7/2003 - 11/12/2023", "txt doc", "Don't Apply",
          "Name Only", "First Word Found", "ab c"}},
        {"no button selected reads as the search takes it",
         noButtonsSelected(),
         {"Yes", "YES", "No", "One Hit Only", "30", "All Files", "All File Types", "30",
          "Name and Text", "First Word Found", "ab"}},
    };
    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        showOptions(window, c.options);
        refreshSummary(window);
        showNearbyState(window, false);
        EXPECT_EQ(shownSummary(window), c.shown);
    }
}

TEST(OptionControls, NearbyStateSetsTheNearbyButtons) {
    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    Options options = everythingChanged();  // NEARBY selected between words 1 and 2
    options.nearbyOn = false;
    showOptions(window, options);
    showNearbyState(window, true);
    EXPECT_EQ(window.summary().nearbyLabel->text(), QStringLiteral("Don't Apply"));
    for (const OperatorGroup* group : {&window.criteria().Opt1, &window.criteria().Opt2, &window.criteria().Opt3}) {
        EXPECT_FALSE((*group)[3]->isEnabled());
        EXPECT_TRUE((*group)[0]->isEnabled());
    }
    EXPECT_TRUE(window.criteria().Opt1[3]->isChecked()) << "a disabled NEARBY keeps its selection";
    EXPECT_FALSE(window.panel().nearbyText->isEnabled());
    EXPECT_FALSE(window.panel().nearbyScroll->isEnabled());

    window.panel().nearbyCheck->setChecked(true);
    showNearbyState(window, false);
    EXPECT_EQ(window.summary().nearbyLabel->text(), QStringLiteral("25"));
    for (const OperatorGroup* group : {&window.criteria().Opt1, &window.criteria().Opt2, &window.criteria().Opt3})
        EXPECT_TRUE((*group)[3]->isEnabled());

    // Off outside start-up leaves the count's controls to the panel.
    window.panel().nearbyText->setEnabled(true);
    window.panel().nearbyCheck->setChecked(false);
    showNearbyState(window, false);
    EXPECT_TRUE(window.panel().nearbyText->isEnabled());
    EXPECT_FALSE(window.criteria().Opt2[3]->isEnabled());
}

TEST(OptionControls, SearchWordsAndCategoryComeFromTheirBoxes) {
    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    const SearchWords words{" größe ", "日本", "", "a*"};
    writeSearchWords(window, words);
    EXPECT_EQ(window.criteria().searchText[1]->text(), QStringLiteral("日本"));
    EXPECT_EQ(readSearchWords(window), words);

    window.criteria().searchCat->addItem(QStringLiteral("Büro"));
    window.criteria().searchCat->setCurrentIndex(0);
    EXPECT_EQ(readOptions(window).category, "Büro");
}

}  // namespace
}  // namespace tessaly
