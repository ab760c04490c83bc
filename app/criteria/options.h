// The search options as plain data: what the main window's option controls
// hold, field by field, named after the controls. The window maps this onto its
// controls; the command line uses it as it is.
#pragma once

#include <array>
#include <chrono>
#include <string>

namespace tessaly {

// The four search words, searchText 0 to 3 from top to bottom.
using SearchWords = std::array<std::string, 4>;

// A group of option buttons has exactly one selected as long as the window
// drives it, but a settings record that marks none of a group's buttons leaves
// the group with none selected, and the search run and the file filters have a
// rule for that case. `noButton` is that state.
inline constexpr int noButton = -1;

enum class FileTypes { noButton = -1, typeAll, optType };
enum class TimeStamp { noButton = -1, optAll, optFromTo, optYear };
enum class Display { noButton = -1, DispFull, DispName };
// The record's reader always selects one of the two.
enum class ViewerStart { FileBeginning, FoundWord };

// The operator groups Opt1 to Opt3 between the words; the value is the index
// of the selected button. They are not stored and start at AND in every run.
enum class Operator { AND, OR, NOT, NEARBY };

// resultOpt indexes.
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
    bool optCase = false;    // Match Case
    bool useFilter = false;  // Smart Search
    bool searchSub = true;   // Search Subfolders

    FileTypes fileTypes = FileTypes::typeAll;
    std::string typeText;  // the extension list, free text

    int resultOpt = oneHitOnlyButton;  // 0 "All Hits", 1 "One Hit Only", or noButton
    int wordOpt = 0;                   // surrounding words: 0 "10", 1 "20", 2 "30", or noButton

    TimeStamp timeStamp = TimeStamp::optAll;
    std::string dateFrom;  // month/day/year, as the read-only text shows it
    std::string dateTo;
    int timeValue = 6;  // past N months, 1 to 12

    Display display = Display::DispFull;

    bool nearbyCheck = false;  // Number of Nearby Words
    int nearbyText = 1;        // the count as the text shows it, 1 to 200
    int nearbyScroll = 1;      // the count as the spin control holds it; equal in saved files

    ViewerStart viewerStart = ViewerStart::FileBeginning;

    std::string fileText;   // file names must begin with these letters; empty for any
    std::string searchCat;  // the Category name; empty for none

    Operator Opt1 = Operator::AND;
    Operator Opt2 = Operator::AND;
    Operator Opt3 = Operator::AND;

    WindowGeometry geometry;

    bool operator==(const Options&) const = default;
};

// The program's defaults. The date window runs from today's month and day five
// years back to today; on 29 February the from-date names a day that does not
// exist, and the text keeps it so.
Options defaultOptions(std::chrono::year_month_day today);

// "3/7/2003": month/day/year, no leading zeros.
std::string dateText(std::chrono::year_month_day date);

// Today by the local clock.
std::chrono::year_month_day localToday();

}  // namespace tessaly
