#include "hit_finder.h"

#include <algorithm>

namespace tyx12::detail {

namespace {
void moveBackIfSet(std::size_t& position, std::size_t dropped) {
    if (position != kNotFound) moveBack(position, dropped);
}
}  // namespace

HitFinder::HitFinder(const std::vector<const SearchWord*>& words, FileText& text, std::size_t reach)
    : words_(words), text_(text), reach_(reach), states_(words.size()) {}

void HitFinder::restartIfStale(std::size_t w, std::size_t from) {
    WordState& s = states_[w];
    const bool resumable = words_[w]->resumable();
    if (s.searchedFrom != kNotFound) {
        // A word whose skipped candidates could never have passed keeps what
        // an earlier start ruled out; any other word only its own start's.
        const bool sameStart = s.searchedFrom == from;
        const bool laterStart = resumable && s.searchedFrom <= from;
        if (s.known && (sameStart || laterStart) && (s.found == kNotFound || s.found >= from)) return;
        if (!s.known && (sameStart || laterStart)) {
            s.resumeAt = std::max(s.resumeAt, from);
            return;
        }
    }
    s = {from, kNotFound, from, false};
}

Hit HitFinder::next(std::size_t& from) {
    for (std::size_t w = 0; w < states_.size(); ++w) restartIfStale(w, from);
    for (;;) {
        Hit best;
        std::size_t bestWord = 0;
        for (std::size_t w = 0; w < states_.size(); ++w) {
            WordState& s = states_[w];
            if (!s.known) {
                const PartialFind find = findWordInPart(text_.searched(), text_.reachesEnd(), s.resumeAt, *words_[w]);
                if (find.known()) {
                    s.known = true;
                    s.found = find.position;
                } else {
                    s.resumeAt = find.resumeAt;
                }
            }
            if (s.known && s.found < best.position) {
                best = {s.found, words_[w]->hitLength()};
                bestWord = w;
            }
        }
        bool mayComeEarlier = false;
        std::size_t keepFrom = best.position;
        for (std::size_t w = 0; w < states_.size(); ++w) {
            const WordState& s = states_[w];
            if (s.known) continue;
            keepFrom = std::min(keepFrom, s.resumeAt);
            if (s.resumeAt < best.position || (s.resumeAt == best.position && w < bestWord)) mayComeEarlier = true;
        }
        if (!mayComeEarlier) return best;
        // What stays is the window's reach before the earliest place a hit can
        // still be, and the character before that for the boundary test.
        keepFrom = keepFrom > reach_ + 1 ? keepFrom - reach_ - 1 : 0;
        moveBack(from, readMore(keepFrom));
    }
}

std::size_t HitFinder::readMore(std::size_t keepFrom) {
    const std::size_t dropped = text_.readMore(keepFrom);
    if (dropped == 0) return 0;
    for (WordState& s : states_) {
        moveBackIfSet(s.searchedFrom, dropped);
        moveBackIfSet(s.found, dropped);
        moveBack(s.resumeAt, dropped);
    }
    return dropped;
}

}  // namespace tyx12::detail
