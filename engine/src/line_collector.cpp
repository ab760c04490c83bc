#include "line_collector.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "hit_finder.h"
#include "hit_window.h"
#include "nearby_test.h"
#include "rtf_texts.h"
#include "word_find.h"

namespace tyx12::detail {

namespace {

struct TakingPart {
    std::vector<const SearchWord*> words;
    // Between two consecutive present words: the code right after the first.
    std::vector<Link> links;
};

TakingPart takingPartWords(const Query& query) {
    TakingPart result;
    int previous = -1;
    for (int i = 0; i < kWordSlots; ++i) {
        if (!query.slots[i].present) continue;
        if (previous >= 0) result.links.push_back(query.links[previous]);
        result.words.push_back(&query.slots[i].word);
        previous = i;
    }
    return result;
}

void appendLine(std::string_view line, CollectedText& collected) {
    if (collected.contains(line)) return;
    const std::size_t firstShown = line.find_first_not_of(' ');
    if (firstShown != std::string_view::npos) collected.append(line.substr(firstShown));
    collected.append(kLineSeparator);
}

// Hands the hit words of each kept window on, once each: windows overlap
// where one reaches back past the end of the one before. Under NEARBY a
// window is kept only if the whole file turns out to qualify, so its words
// wait for the end.
class HitWordReport {
public:
    HitWordReport(HitWordSink sink, const std::vector<const SearchWord*>& words, bool waitForEnd)
        : sink_(sink), words_(words), waitForEnd_(waitForEnd) {}

    bool wanted() const { return sink_ && !refused_; }

    // `window` starts `windowStart` characters into the text.
    void takeWindow(TextView window, std::size_t windowStart) {
        WordCursor cursors[kWordSlots] = {};
        for (std::size_t w = 0; w < words_.size(); ++w) cursors[w] = WordCursor(window, words_[w]);
        for (std::size_t pos = 0; wanted();) {
            const Hit hit = earliestHit(cursors, words_.data(), words_.size(), pos);
            if (!hit.found()) break;
            const std::size_t start = windowStart + hit.position;
            if (start >= reportedTo_) {
                reportedTo_ = start + hit.length;
                if (waitForEnd_) waiting_.push_back({start, hit.length});
                else hand(start, hit.length);
            }
            pos = hit.position + hit.length;
        }
    }

    void finish(bool fileQualifies) {
        if (fileQualifies)
            for (const Hit& hit : waiting_) {
                if (!wanted()) break;
                hand(hit.position, hit.length);
            }
        waiting_.clear();
    }

private:
    void hand(std::size_t start, std::size_t length) {
        refused_ = sink_.take(sink_.context, start, length) == 0;
    }

    HitWordSink sink_;
    const std::vector<const SearchWord*>& words_;
    bool waitForEnd_;
    bool refused_ = false;
    std::size_t reportedTo_ = 0;
    std::vector<Hit> waiting_;
};

}  // namespace

bool collectLines(const Query& query, FileText& text, const CollectOptions& options,
                  CollectedText& collected, CollectScratch& scratch) {
    collected.clear();
    const TakingPart taking = takingPartWords(query);
    if (taking.words.empty()) return true;

    NearbyTest nearby(taking.words, taking.links, options.nearbyWords);
    const bool nearbyTested = options.nearbyWords > 0;
    const WindowOptions windowOptions{options.contextWords, options.smartSearch};
    const std::size_t reach = static_cast<std::size_t>(windowReach(windowOptions));
    HitFinder finder(taking.words, text, reach);
    HitWordReport hitWords(options.hitWords, taking.words, nearbyTested);

    std::size_t pos = 0;
    for (;;) {
        const Hit next = finder.next(pos);
        if (!next.found()) break;
        std::size_t hit = next.position;
        if (text.dropped() + hit < options.leadNeeded) return false;
        // The window may look `reach` characters on, and at the one after.
        while (!text.reachesEnd() && text.length() <= hit + reach + 1) {
            const std::size_t dropped = finder.readMore(hit > reach + 1 ? hit - reach - 1 : 0);
            moveBack(hit, dropped);
            moveBack(pos, dropped);
        }
        const TextView shown = text.shown(), searched = text.searched();

        const HitWindow window = findHitWindow(searched, hit, next.length, windowOptions);
        const std::size_t windowLength = window.end - window.start;
        const bool kept = nearby.keepsLine({searched.data + window.start, windowLength});
        if (kept && collected.size() <= kCollectLimit) {
            buildResultLine({shown.data + window.start, windowLength},
                            {searched.data + window.start, windowLength}, taking.words, scratch.line,
                            scratch.lineScratch);
            appendLine(scratch.line, collected);
        }
        if (kept && hitWords.wanted())
            hitWords.takeWindow({searched.data + window.start, windowLength}, text.dropped() + window.start);

        if (!options.allHits) break;
        // Nothing more can be added once full, unless NEARBY still needs to see
        // the rest of the file to judge it.
        if (collected.size() > kCollectLimit && !nearbyTested && !hitWords.wanted()) break;
        if (options.hitWords && !hitWords.wanted()) break;
        // The next search starts behind the window, which holds the hit.
        pos = std::max(window.end, hit + next.length);
    }

    if (!nearby.fileSatisfied()) collected.clear();
    hitWords.finish(nearby.fileSatisfied());
    return true;
}

}  // namespace tyx12::detail
