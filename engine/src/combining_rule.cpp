#include "combining_rule.h"

#include <cstring>

namespace tyx12::detail {

namespace {

struct Verdict {
    bool matches = false;
    bool marksAndGroup = false;  // the OR words alone matched: show only their hits
};

Verdict judge(const Query& query, const WordsFound& found) {
    if (!query.anyPresent()) return {};
    auto isFound = [&](int slot) { return query.slots[slot].present && found[slot]; };

    for (int i = 0; i < kWordSlots; ++i)
        if (query.roleOf(i) == Link::Not && isFound(i)) return {};

    // NEARBY can only be judged line by line.
    if (query.anyLink(Link::Nearby)) return {true, false};

    // With AND and OR mixed, an empty OR slot must not make every file match.
    const bool mixed =
        query.anyLink(Link::And) && query.anyLink(Link::Or) && !query.anyLink(Link::Not);

    bool andGroupHolds = true;
    for (int i = 0; i < kWordSlots; ++i)
        if (query.roleOf(i) == Link::And && query.slots[i].present && !isFound(i)) andGroupHolds = false;

    bool orPartHolds = false;
    for (int i = 1; i < kWordSlots && !orPartHolds; ++i) {
        if (query.roleOf(i) != Link::Or) continue;
        orPartHolds = query.slots[i].present ? isFound(i) : !mixed;
    }

    if (!andGroupHolds && !orPartHolds) return {};
    return {true, mixed && !andGroupHolds};
}

}  // namespace

bool combiningRuleHolds(const Query& query, const WordsFound& found) { return judge(query, found).matches; }

bool couldMatchGiven(const Query& query, const WordsFound& mayHold) {
    WordsFound best{};
    bool anyPositive = false;
    for (int i = 0; i < kWordSlots; ++i) {
        best[i] = query.roleOf(i) != Link::Not && mayHold[i];
        anyPositive = anyPositive || best[i];
    }
    if (query.anyLink(Link::Nearby)) return anyPositive;
    return combiningRuleHolds(query, best);
}

bool verdictSettled(const Query& query, const WordsFound& found, const WordsFound& open) {
    WordsFound either = found;
    for (int i = 0; i < kWordSlots; ++i) {
        if (!open[i]) continue;
        if (query.roleOf(i) == Link::Not) return false;
        either[i] = true;
    }
    const Verdict least = judge(query, found), most = judge(query, either);
    return least.matches == most.matches && least.marksAndGroup == most.marksAndGroup;
}

bool applyCombiningRule(Query& query, const WordsFound& found) {
    const Verdict verdict = judge(query, found);
    if (verdict.marksAndGroup)
        for (int i = 0; i < kWordSlots; ++i)
            if (query.roleOf(i) == Link::And && query.slots[i].present)
                std::memcpy(query.slots[i].buffer, kExcludedWordMarker, sizeof kExcludedWordMarker);
    return verdict.matches;
}

}  // namespace tyx12::detail
