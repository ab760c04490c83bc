// The line-by-line test of NEARBY: which hit windows stay, and whether the
// file as a whole showed every part of the query somewhere.
#pragma once

#include <cstdint>
#include <vector>

#include "query.h"
#include "search_word.h"
#include "text_view.h"

namespace tyx12::detail {

// Which nearness a kept window needs; the numbers are the positions of the
// taking-part words (1 to 4), a span is measured from the earliest to the
// latest start.
enum class Nearness { None, Near12, Near23, Near34, Near12And34, Span123, Span234, Span1234 };

// One kept window: exactly these words (bit 0 for the first taking-part word),
// with the nearness they need, and the flags the window then sets.
struct NearbyWindowRule {
    unsigned words;
    Nearness nearness;
    unsigned flags;
};

struct NearbyRule {
    bool tested = false;           // false: every line stays and sets no flag
    bool keepsEveryLine = false;
    std::vector<NearbyWindowRule> windows;
    unsigned everyLineFlags = 0;   // set by every examined line, kept or not
    unsigned requiredFlags = 0;    // all of them by the end, or no line counts
};

// The rule for the taking-part words joined by `links` (one fewer than words).
NearbyRule nearbyRuleFor(const std::vector<Link>& links);

class NearbyTest {
public:
    NearbyTest(std::vector<const SearchWord*> words, const std::vector<Link>& links,
               std::int32_t nearbyWords);

    // Examines one window as searched (lower-cased under ignore case, not
    // escaped); true when its line stays.
    bool keepsLine(TextView window);

    // False when some required part never showed: the file does not match.
    bool fileSatisfied() const;

private:
    bool holds(Nearness nearness, TextView window, const std::size_t* starts) const;
    bool near(TextView window, std::size_t a, std::size_t b) const;

    std::vector<const SearchWord*> words_;
    std::int32_t nearbyWords_;
    NearbyRule rule_;
    unsigned flags_ = 0;
};

}  // namespace tyx12::detail
