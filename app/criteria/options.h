// The search options as plain data, named for what they mean. The window maps
// them onto its controls (criteria/qt/option_controls.cpp, the one place that
// knows the controls' names); the settings file stores them; the command line
// sets them from its arguments.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>

namespace tessaly {

// The four search words, searchText 0 to 3 from top to bottom.
using SearchWords = std::array<std::string, 4>;

// A group of option buttons has exactly one selected as long as the window
// drives it, but a settings record that marks none of a group's buttons leaves
// the group with none selected, and the search run and the file filters have a
// rule for that case. `noButton` is that state.
inline constexpr int noButton = -1;

// Which files by their extension: every one but the excluded, or only those in the list.
enum class FileTypes { noButton = -1, every, listed };
// Which files by their last-modified date.
enum class DateRule { noButton = -1, anyDate, between, inPastMonths };
// What an entry of the results shows.
enum class Display { noButton = -1, namesAndText, namesOnly };
// The record's reader always selects one of the two.
enum class ViewerStart { FileBeginning, FoundWord };

// The operators between the words; the value is the index of the selected
// button. They are not stored and start at AND in every run.
enum class Operator { AND, OR, NOT, NEARBY };

// The buttons of the hits group, in the window's order.
inline constexpr int allHitsButton = 0;
inline constexpr int oneHitOnlyButton = 1;

// Twips (1/1440 inch), kept from one run to the next.
struct WindowGeometry {
    int mainWidth = 8280;
    int splitterLeft = 3000;
    int viewerWidth = 8295;
    int viewerHeight = 8235;

    bool operator==(const WindowGeometry&) const = default;
};

struct Options {
    bool matchCase = false;
    bool smartSearch = false;  // passages stop at punctuation
    bool searchSubfolders = true;

    FileTypes fileTypes = FileTypes::every;
    std::string typeList;  // the extensions, free text

    // Every passage of a file or only the first; none when a settings record
    // selects neither, and the run then keeps what it did last.
    std::optional<bool> showAllHits = false;
    // Words around a hit: 10, 20 or 30; 0 when a settings record selects none.
    int contextWords = 10;

    DateRule dateRule = DateRule::anyDate;
    std::string dateFrom;  // month/day/year, as the read-only text shows it
    std::string dateTo;
    int pastMonths = 6;  // 1 to 12

    Display display = Display::namesAndText;

    bool nearbyOn = false;    // NEARBY words must stand within nearbyWords of each other
    int nearbyWords = 1;      // the count as the text shows it, 1 to 200
    int nearbySpinValue = 1;  // the count as the spin control holds it; equal in saved files

    ViewerStart viewerStart = ViewerStart::FileBeginning;

    std::string nameStartLetters;  // file names must begin with these; empty for any
    std::string category;          // the current Category's name; empty for none

    Operator operator1 = Operator::AND;
    Operator operator2 = Operator::AND;
    Operator operator3 = Operator::AND;

    WindowGeometry geometry;

    bool operator==(const Options&) const = default;
};

// The settings file and the window hold these two as the index of the
// selected button of their group, noButton for none.
int contextWordsButton(int contextWords);
int contextWordsOfButton(int button);
int hitsButton(std::optional<bool> showAllHits);
std::optional<bool> showAllHitsOfButton(int button);

// The program's defaults. The date window runs from today's month and day five
// years back to today; on 29 February the from-date names a day that does not
// exist, and the text keeps it so.
Options defaultOptions(std::chrono::year_month_day today);

// "3/7/2003": month/day/year, no leading zeros.
std::string dateText(std::chrono::year_month_day date);

// Today by the local clock.
std::chrono::year_month_day localToday();

}  // namespace tessaly
