#include "criteria/qt/option_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <span>
#include <string>

#include "criteria/qt/scope_controls.h"
#include "platform/blanks.h"
#include "platform/qt/spin_control.h"
#include "window/qt/main_window.h"
#include "window/qt/criteria_view.h"
#include "window/qt/option_summary.h"
#include "window/qt/options_panel_view.h"

namespace tessaly {

namespace {

using Buttons = std::span<QRadioButton* const>;

// The nearby count's range as the window is built, before the surrounding
// words narrow it.
constexpr int largestNearbyCount = 200;

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}
QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int selectedIndex(Buttons buttons) {
    for (std::size_t index = 0; index < buttons.size(); ++index)
        if (buttons[index]->isChecked()) return static_cast<int>(index);
    return noButton;
}

// Exclusive buttons refuse to uncheck the last checked one, so a group that
// is to show no selection drops its exclusivity while it is cleared.
void clearGroup(Buttons buttons) {
    QButtonGroup* group = buttons.front()->group();
    if (group) group->setExclusive(false);
    for (QRadioButton* button : buttons) {
        const bool autoExclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(autoExclusive);
    }
    if (group) group->setExclusive(true);
}

void selectButton(Buttons buttons, int index) {
    if (index >= 0 && index < static_cast<int>(buttons.size()))
        buttons[static_cast<std::size_t>(index)]->setChecked(true);
    else
        clearGroup(buttons);
}

template <typename Choice>
void selectButton(Buttons buttons, Choice choice) {
    selectButton(buttons, static_cast<int>(choice));
}

// Button orders follow the enums of options.h.
std::array<QRadioButton*, 2> fileTypeButtons(const MainWindow& window) {
    return {window.panel().typeAll, window.panel().optType};
}
std::array<QRadioButton*, 3> timeStampButtons(const MainWindow& window) {
    return {window.panel().optAll, window.panel().optFromTo, window.panel().optYear};
}
std::array<QRadioButton*, 2> displayButtons(const MainWindow& window) {
    return {window.panel().DispFull, window.panel().DispName};
}
std::array<QRadioButton*, 2> viewerStartButtons(const MainWindow& window) {
    return {window.panel().FileBeginning, window.panel().FoundWord};
}

Operator selectedOperator(const OperatorGroup& group) {
    const int index = selectedIndex(group);
    return index == noButton ? Operator::AND : static_cast<Operator>(index);
}

// The search run takes 10 for the first button, 20 for the second and 30
// otherwise; the nearby limit and the summary say the same.
int surroundingWords(const MainWindow& window) {
    switch (selectedIndex(window.panel().wordOpt)) {
    case 0:
        return 10;
    case 1:
        return 20;
    default:
        return 30;
    }
}

void showOneOf(std::initializer_list<QLabel*> labels, std::size_t shown) {
    std::size_t index = 0;
    for (QLabel* label : labels) label->setVisible(index++ == shown);
}

}  // namespace

void showOptions(MainWindow& window, const Options& options) {
    window.panel().optCase->setChecked(options.matchCase);
    window.panel().useFilter->setChecked(options.smartSearch);
    window.panel().searchSub->setChecked(options.searchSubfolders);

    selectButton(fileTypeButtons(window), options.fileTypes);
    window.panel().typeText->setText(fromUtf8(options.typeList));
    selectButton(window.panel().resultOpt, hitsButton(options.showAllHits));

    selectButton(timeStampButtons(window), options.dateRule);
    window.panel().dateFrom->setText(fromUtf8(options.dateFrom));
    window.panel().dateTo->setText(fromUtf8(options.dateTo));
    window.panel().timeYear->setValue(options.pastMonths);
    window.panel().timeValue->setText(QString::number(window.panel().timeYear->value()));

    selectButton(displayButtons(window), options.display);
    selectButton(viewerStartButtons(window), options.viewerStart);

    // One count for the text and the spin control: the text's, which is what
    // the person saw and what the search uses. The limit comes after it, so a
    // count above the surrounding words comes down whatever the record said.
    window.panel().nearbyCheck->setChecked(options.nearbyOn);
    window.panel().nearbyScroll->setMaximum(largestNearbyCount);
    window.panel().nearbyScroll->setValue(options.nearbyWords);
    selectButton(window.panel().wordOpt, contextWordsButton(options.contextWords));
    applyNearbyLimit(window);

    window.panel().fileText->setText(fromUtf8(options.nameStartLetters));

    const Operator operators[3] = {options.operator1, options.operator2, options.operator3};
    OperatorGroup* groups[3] = {&window.criteria().Opt1, &window.criteria().Opt2, &window.criteria().Opt3};
    for (int pair = 0; pair < 3; ++pair) selectButton(*groups[pair], operators[pair]);
}

Options readOptions(const MainWindow& window) {
    Options options;
    options.matchCase = window.panel().optCase->isChecked();
    options.smartSearch = window.panel().useFilter->isChecked();
    options.searchSubfolders = window.panel().searchSub->isChecked();

    options.fileTypes = static_cast<FileTypes>(selectedIndex(fileTypeButtons(window)));
    options.typeList = utf8(window.panel().typeText->text());
    options.showAllHits = showAllHitsOfButton(selectedIndex(window.panel().resultOpt));
    options.contextWords = contextWordsOfButton(selectedIndex(window.panel().wordOpt));

    options.dateRule = static_cast<DateRule>(selectedIndex(timeStampButtons(window)));
    options.dateFrom = utf8(window.panel().dateFrom->text());
    options.dateTo = utf8(window.panel().dateTo->text());
    options.pastMonths = window.panel().timeValue->text().toInt();

    options.display = static_cast<Display>(selectedIndex(displayButtons(window)));

    options.nearbyOn = window.panel().nearbyCheck->isChecked();
    options.nearbyWords = window.panel().nearbyText->text().toInt();
    options.nearbySpinValue = window.panel().nearbyScroll->value();

    options.viewerStart =
        window.panel().FoundWord->isChecked() ? ViewerStart::FoundWord : ViewerStart::FileBeginning;

    options.nameStartLetters = utf8(window.panel().fileText->text());
    options.category = utf8(window.criteria().searchCat->currentText());

    options.operator1 = selectedOperator(window.criteria().Opt1);
    options.operator2 = selectedOperator(window.criteria().Opt2);
    options.operator3 = selectedOperator(window.criteria().Opt3);

    return options;
}

SearchWords readSearchWords(const MainWindow& window) {
    SearchWords words;
    for (std::size_t index = 0; index < words.size(); ++index)
        words[index] = utf8(window.criteria().searchText[index]->text());
    return words;
}

void writeSearchWords(MainWindow& window, const SearchWords& words) {
    for (std::size_t index = 0; index < words.size(); ++index) {
        const QString word = fromUtf8(words[index]);
        // Rewriting an unchanged box would lose its cursor and undo history.
        if (window.criteria().searchText[index]->text() != word) window.criteria().searchText[index]->setText(word);
    }
}

void refreshSummary(MainWindow& window) {
    showOneOf({window.summary().caseNo, window.summary().caseYes}, window.panel().optCase->isChecked() ? 1 : 0);
    // Smart search off shows nothing at all, not "NO".
    window.summary().smartYes->setVisible(window.panel().useFilter->isChecked());
    window.summary().smartNo->hide();
    showOneOf({window.summary().subNo, window.summary().subYes}, window.panel().searchSub->isChecked() ? 1 : 0);

    window.summary().dispOption->setText(window.panel().DispName->isChecked() ? QStringLiteral("Name Only")
                                                            : QStringLiteral("Name and Text"));
    window.summary().lblBeginning->setText(window.panel().FoundWord->isChecked()
                                     ? QStringLiteral("First Word Found")
                                     : QStringLiteral("Beginning of File"));
    showOneOf({window.summary().showOne, window.summary().showAll},
              selectedIndex(window.panel().resultOpt) == allHitsButton ? 1 : 0);
    const int words = surroundingWords(window);
    showOneOf({window.summary().numTen, window.summary().numTwenty, window.summary().numThirty},
              static_cast<std::size_t>(words / 10 - 1));

    if (window.panel().optFromTo->isChecked())
        window.summary().timeStamp->setText(window.panel().dateFrom->text() + QStringLiteral(" - ") +
                                  window.panel().dateTo->text());
    else if (window.panel().optYear->isChecked())
        window.summary().timeStamp->setText(QStringLiteral("Past ") + window.panel().timeValue->text() +
                                  QStringLiteral(" Months"));
    else
        window.summary().timeStamp->setText(QStringLiteral("All Files"));

    // With neither file-type button selected every file is searched, and the
    // summary says so.
    window.summary().lblExt->setText(window.panel().optType->isChecked() ? window.panel().typeText->text()
                                                       : QStringLiteral("All File Types"));

    const std::string letters(trimBlanks(utf8(window.panel().fileText->text())));
    window.summary().beginningLetter->setText(letters.empty() ? QStringLiteral("Any Letters")
                                                    : fromUtf8(letters));
    refreshScopeSummary(window);
}

void showNearbyState(MainWindow& window, bool startUp) {
    const bool on = window.panel().nearbyCheck->isChecked();
    window.summary().nearbyLabel->setText(on ? window.panel().nearbyText->text() : QStringLiteral("Don't Apply"));
    for (OperatorGroup* group : {&window.criteria().Opt1, &window.criteria().Opt2, &window.criteria().Opt3})
        (*group)[static_cast<std::size_t>(Operator::NEARBY)]->setEnabled(on);
    if (startUp && !on) {
        window.panel().nearbyText->setEnabled(false);
        window.panel().nearbyScroll->setEnabled(false);
    }
}

void applyNearbyLimit(MainWindow& window) {
    window.panel().nearbyScroll->setMaximum(surroundingWords(window));
    showNearbyCount(window);
}

void showNearbyCount(MainWindow& window) {
    window.panel().nearbyText->setText(QString::number(window.panel().nearbyScroll->value()));
}

}  // namespace tessaly
