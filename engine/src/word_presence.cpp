#include "word_presence.h"

#include <algorithm>

#include "word_find.h"

namespace tyx12::detail {

WordsFound findPresentWords(const Query& query, const WordsFound& mayHold, const WordsFound& known,
                            FileText& text) {
    WordsFound found{}, open{};
    std::array<std::size_t, kWordSlots> resumeAt{};
    for (int i = 0; i < kWordSlots; ++i) {
        found[i] = query.slots[i].present && known[i];
        open[i] = query.slots[i].present && mayHold[i] && !known[i];
        if (found[i] && query.roleOf(i) == Link::Not) return found;
    }

    for (;;) {
        for (int i = 0; i < kWordSlots; ++i) {
            if (!open[i]) continue;
            const PartialFind find = findWordInPart(text.searched(), text.reachesEnd(), resumeAt[i],
                                                    query.slots[i].word);
            if (find.known()) {
                open[i] = false;
                found[i] = find.position != kNotFound;
                // A NOT word found: no match, whatever else the text holds.
                if (found[i] && query.roleOf(i) == Link::Not) return found;
            } else {
                resumeAt[i] = find.resumeAt;
            }
        }
        if (std::find(open.begin(), open.end(), true) == open.end() || verdictSettled(query, found, open))
            return found;
        // A candidate needs the character before it for its boundary test.
        std::size_t keepFrom = text.length();
        for (int i = 0; i < kWordSlots; ++i)
            if (open[i]) keepFrom = std::min(keepFrom, resumeAt[i] > 0 ? resumeAt[i] - 1 : 0);
        const std::size_t dropped = text.readMore(keepFrom);
        for (auto& position : resumeAt) moveBack(position, dropped);
    }
}

}  // namespace tyx12::detail
