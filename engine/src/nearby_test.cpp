#include "nearby_test.h"

#include <algorithm>
#include <utility>

#include "word_find.h"

namespace tyx12::detail {

namespace {

constexpr unsigned F1 = 1, F2 = 2, F3 = 4;
constexpr unsigned kAllThree = F1 | F2 | F3;
constexpr unsigned kPair = F1, kThird = F2;  // the two flags of a three-word query

constexpr unsigned w(std::initializer_list<int> positions) {
    unsigned mask = 0;
    for (int p : positions) mask |= 1u << (p - 1);
    return mask;
}

using L = Link;

NearbyRule twoWordRule(Link link) {
    NearbyRule rule;
    if (link != L::Nearby) return rule;
    rule.tested = true;
    rule.windows = {{w({1, 2}), Nearness::Near12, 0}};
    return rule;
}

NearbyRule threeWordRule(Link p, Link q) {
    NearbyRule rule;
    rule.requiredFlags = kPair | kThird;
    if (p != L::Nearby && q != L::Nearby) return rule;
    rule.tested = true;
    if (p == L::Not || q == L::Not) {
        rule.keepsEveryLine = true;
        rule.everyLineFlags = kPair | kThird;
        return rule;
    }
    if (p == L::Nearby && q == L::Nearby) {
        rule.windows = {{w({1, 2, 3}), Nearness::Span123, kPair | kThird}};
        return rule;
    }
    // One NEARBY pair and a third word that may stand alone.
    const bool pairFirst = p == L::Nearby;
    const Link other = pairFirst ? q : p;
    const Nearness pairNear = pairFirst ? Nearness::Near12 : Nearness::Near23;
    const unsigned pair = pairFirst ? w({1, 2}) : w({2, 3});
    const unsigned third = pairFirst ? w({3}) : w({1});
    if (other == L::Or) {
        rule.windows = {{pair, pairNear, 0}, {pair | third, pairNear, 0}, {third, Nearness::None, 0}};
        rule.everyLineFlags = kPair | kThird;
    } else {
        rule.windows = {{pair, pairNear, kPair},
                        {pair | third, pairNear, kPair | kThird},
                        {third, Nearness::None, kThird}};
    }
    return rule;
}

// Windows that hold a NEARBY pair, with or without the other two words.
std::vector<NearbyWindowRule> pairWithAnyOthers(unsigned pair, Nearness nearness, unsigned flags,
                                               unsigned others) {
    std::vector<NearbyWindowRule> windows;
    for (unsigned extra = 0; extra <= others; ++extra)
        if ((extra & ~others) == 0) windows.push_back({pair | extra, nearness, flags});
    return windows;
}

void setFlags(std::vector<NearbyWindowRule>& windows, unsigned words, unsigned flags) {
    for (auto& window : windows)
        if (window.words == words) window.flags = flags;
}

// A NEARBY pair and two words that may each stand alone, `first` (flag F1) and
// `second` (flag F2); the pair sets F3. The links are those of the two lone words.
std::vector<NearbyWindowRule> pairAndTwoLoneWords(unsigned pair, Nearness nearness, unsigned first,
                                                  unsigned second, Link firstLink, Link secondLink,
                                                  unsigned& everyLineFlags) {
    const auto N = Nearness::None;
    std::vector<NearbyWindowRule> v = {
        {second, N, 0},        {first, N, 0},           {first | second, N, 0},
        {pair, nearness, 0},   {pair | second, nearness, 0}, {pair | first, nearness, 0},
        {pair | first | second, nearness, 0}};
    auto set = [&](unsigned words, unsigned flags) { setFlags(v, words, flags); };
    if (firstLink == L::And && secondLink == L::And) {
        // The same under either case: a line without the second word must not
        // stand in for it.
        set(first, F1), set(second, F2), set(first | second, F1), set(pair, F3);
        set(pair | first, F1 | F3), set(pair | second, F2 | F3), set(pair | first | second, kAllThree);
    } else if (firstLink == L::And) {  // AND x OR
        set(first, F1), set(first | second, F1), set(pair, F3), set(pair | second, F3);
        set(pair | first, F1 | F3), set(pair | first | second, F1 | F3);
        everyLineFlags = F2;
    } else if (secondLink == L::And) {  // OR x AND
        set(second, F2), set(pair | second, F2), set(pair | first | second, F2);
        everyLineFlags = F1 | F3;
    } else {
        everyLineFlags = kAllThree;
    }
    return v;
}

NearbyRule fourWordRule(Link c1, Link c2, Link c3) {
    NearbyRule rule;
    rule.requiredFlags = kAllThree;
    if (c1 == L::Not || c2 == L::Not || c3 == L::Not) {
        rule.tested = true;
        rule.keepsEveryLine = true;
        rule.everyLineFlags = kAllThree;
        return rule;
    }
    if (c1 != L::Nearby && c2 != L::Nearby && c3 != L::Nearby) return rule;
    rule.tested = true;
    const auto N = Nearness::None;
    auto& v = rule.windows;

    if (c1 != L::Nearby && c2 != L::Nearby) {  // x x NEAR: words 1 and 2 alone, or 3 near 4
        const bool and1 = c1 == L::And, and2 = c2 == L::And;
        if (and1 && !and2) {  // AND OR NEAR
            v = pairWithAnyOthers(w({3, 4}), Nearness::Near34, 0, w({1, 2}));
            rule.everyLineFlags = kAllThree;
            return rule;
        }
        if (and1 && and2) {
            v = {{w({1}), N, F1}, {w({2}), N, F2}, {w({1, 2}), N, F1},
                 {w({3, 4}), Nearness::Near34, F3}, {w({1, 3, 4}), Nearness::Near34, F1 | F3},
                 {w({2, 3, 4}), Nearness::Near34, F2 | F3},
                 {w({1, 2, 3, 4}), Nearness::Near34, kAllThree}};
            return rule;
        }
        const unsigned pairFlags = and2 ? F3 : 0;  // OR AND NEAR needs the pair somewhere
        v = pairWithAnyOthers(w({3, 4}), Nearness::Near34, pairFlags, w({1, 2}));
        v.insert(v.begin(), {{w({1}), N, 0}, {w({2}), N, 0}, {w({1, 2}), N, 0}});
        rule.everyLineFlags = and2 ? F1 | F2 : kAllThree;
        return rule;
    }

    if (c1 != L::Nearby && c2 == L::Nearby && c3 != L::Nearby) {  // x NEAR x: 2 near 3
        rule.windows = pairAndTwoLoneWords(w({2, 3}), Nearness::Near23, w({1}), w({4}), c1, c3,
                                           rule.everyLineFlags);
        return rule;
    }
    if (c1 == L::Nearby && c2 != L::Nearby && c3 != L::Nearby) {  // NEAR x x: 1 near 2
        rule.windows = pairAndTwoLoneWords(w({1, 2}), Nearness::Near12, w({3}), w({4}), c2, c3,
                                           rule.everyLineFlags);
        return rule;
    }

    if (c1 != L::Nearby || c3 != L::Nearby) {
        // x NEAR NEAR or NEAR NEAR x: three words within the distance, and a
        // fourth that may stand alone.
        const bool loneFirst = c1 != L::Nearby;
        const Link loneLink = loneFirst ? c1 : c3;
        const unsigned lone = loneFirst ? w({1}) : w({4});
        const unsigned three = loneFirst ? w({2, 3, 4}) : w({1, 2, 3});
        const Nearness span = loneFirst ? Nearness::Span234 : Nearness::Span123;
        if (loneLink == L::And) {
            v = {{lone, N, F1 | F2}, {three, span, F3}, {lone | three, span, kAllThree}};
        } else {
            v = {{lone, N, 0}, {three, span, 0}, {lone | three, span, 0}};
            rule.everyLineFlags = kAllThree;
        }
        return rule;
    }
    if (c2 == L::And) {  // NEAR AND NEAR
        v = {{w({1, 2}), Nearness::Near12, F1}, {w({3, 4}), Nearness::Near34, F2},
             {w({1, 2, 3, 4}), Nearness::Near12And34, F1 | F2}};
        rule.everyLineFlags = F3;
        return rule;
    }
    if (c2 == L::Or) {  // NEAR OR NEAR
        v = pairWithAnyOthers(w({1, 2}), Nearness::Near12, 0, w({3, 4}));
        for (unsigned words : {w({3, 4}), w({1, 3, 4}), w({2, 3, 4})})
            v.push_back({words, Nearness::Near34, 0});
        rule.everyLineFlags = kAllThree;
        return rule;
    }
    v = {{w({1, 2, 3, 4}), Nearness::Span1234, kAllThree}};  // NEAR NEAR NEAR
    return rule;
}

}  // namespace

NearbyRule nearbyRuleFor(const std::vector<Link>& links) {
    switch (links.size()) {
    case 1: return twoWordRule(links[0]);
    case 2: return threeWordRule(links[0], links[1]);
    case 3: return fourWordRule(links[0], links[1], links[2]);
    default: return {};
    }
}

NearbyTest::NearbyTest(std::vector<const SearchWord*> words, const std::vector<Link>& links,
                       std::int32_t nearbyWords)
    : words_(std::move(words)), nearbyWords_(nearbyWords), rule_(nearbyRuleFor(links)) {}

bool NearbyTest::near(TextView window, std::size_t a, std::size_t b) const {
    if (a > b) std::swap(a, b);
    // Spaces from the earlier start to the later one, both included, less one:
    // for single-spaced text, the words standing between them.
    long long spaces = std::count(window.data + a, window.data + b + 1, U' ');
    return spaces - 1 <= nearbyWords_;
}

bool NearbyTest::holds(Nearness nearness, TextView window, const std::size_t* starts) const {
    auto span = [&](int first, int last) {
        auto [lo, hi] = std::minmax_element(starts + first, starts + last + 1);
        return near(window, *lo, *hi);
    };
    switch (nearness) {
    case Nearness::None: return true;
    case Nearness::Near12: return near(window, starts[0], starts[1]);
    case Nearness::Near23: return near(window, starts[1], starts[2]);
    case Nearness::Near34: return near(window, starts[2], starts[3]);
    case Nearness::Near12And34:
        return near(window, starts[0], starts[1]) && near(window, starts[2], starts[3]);
    case Nearness::Span123: return span(0, 2);
    case Nearness::Span234: return span(1, 3);
    case Nearness::Span1234: return span(0, 3);
    }
    return false;
}

bool NearbyTest::keepsLine(TextView window) {
    if (nearbyWords_ <= 0 || !rule_.tested) return true;
    flags_ |= rule_.everyLineFlags;
    if (rule_.keepsEveryLine) return true;

    std::size_t starts[kWordSlots] = {};
    unsigned held = 0;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        starts[i] = findWord(window, 0, *words_[i]);
        if (starts[i] != kNotFound) held |= 1u << i;
    }
    for (const NearbyWindowRule& candidate : rule_.windows) {
        if (candidate.words == held && holds(candidate.nearness, window, starts)) {
            flags_ |= candidate.flags;
            return true;
        }
    }
    return false;
}

bool NearbyTest::fileSatisfied() const {
    return nearbyWords_ <= 0 || (flags_ & rule_.requiredFlags) == rule_.requiredFlags;
}

}  // namespace tyx12::detail
