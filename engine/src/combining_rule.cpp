#include "combining_rule.h"

#include <cstring>
#include <optional>

#include "word_find.h"

namespace tyx12::detail {

namespace {

class PresenceTests {
public:
    PresenceTests(const Query& query, TextView searched) : query_(query), searched_(searched) {}

    bool found(int slot) {
        if (!query_.slots[slot].present) return false;
        auto& known = found_[slot];
        if (!known) known = findWord(searched_, 0, query_.slots[slot].word) != kNotFound;
        return *known;
    }

private:
    const Query& query_;
    TextView searched_;
    std::optional<bool> found_[kWordSlots];
};

}  // namespace

bool applyCombiningRule(Query& query, TextView searched) {
    if (!query.anyPresent()) return false;
    PresenceTests tests(query, searched);

    for (int i = 0; i < kWordSlots; ++i)
        if (query.roleOf(i) == Link::Not && tests.found(i)) return false;

    // NEARBY can only be judged line by line.
    if (query.anyLink(Link::Nearby)) return true;

    // With AND and OR mixed, an empty OR slot must not make every file match.
    const bool mixed =
        query.anyLink(Link::And) && query.anyLink(Link::Or) && !query.anyLink(Link::Not);

    bool andGroupHolds = true;
    for (int i = 0; i < kWordSlots && andGroupHolds; ++i)
        if (query.roleOf(i) == Link::And && query.slots[i].present && !tests.found(i))
            andGroupHolds = false;

    bool orPartHolds = false;
    for (int i = 1; i < kWordSlots && !orPartHolds; ++i) {
        if (query.roleOf(i) != Link::Or) continue;
        if (query.slots[i].present)
            orPartHolds = tests.found(i);
        else
            orPartHolds = !mixed;
    }

    if (!andGroupHolds && !orPartHolds) return false;

    // The OR words alone matched: show only their hits.
    if (mixed && !andGroupHolds)
        for (int i = 0; i < kWordSlots; ++i)
            if (query.roleOf(i) == Link::And && query.slots[i].present)
                std::memcpy(query.slots[i].buffer, kExcludedWordMarker, sizeof kExcludedWordMarker);
    return true;
}

}  // namespace tyx12::detail
