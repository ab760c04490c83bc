#include "hit_window.h"

#include <algorithm>

#include "char_class.h"

namespace tyx12::detail {

namespace {

constexpr long long kLongestRun = 20;

// What both scans count: the run since the last space, the spaces, and where
// the last space and line break were seen (both start at distance 0, which is
// why punctuation right next to the hit never cuts the window).
struct ScanState {
    long long run = 0;
    long long spaces = 0;
    long long lastSpace = 0;
    long long lastBreak = 0;

    void see(Char ch, long long distance) {
        ++run;
        if (ch == ' ') {
            run = 0;
            ++spaces;
            lastSpace = distance;
        }
        if (ch == '\n') lastBreak = distance;
    }
};

std::size_t scanBackward(TextView text, std::size_t hit, const WindowOptions& options,
                         long long limit) {
    ScanState state;
    const long long maxSpaces = options.contextWords + 1;
    for (long long k = 0; k < limit; ++k) {
        const std::size_t pos = hit - static_cast<std::size_t>(k);
        const Char ch = text.at(pos);
        state.see(ch, k);
        if (options.smartSearch && isSmartPunctuation(ch) && state.lastSpace != k - 1 &&
            state.lastBreak != k - 1)
            return hit;
        std::size_t start;
        if (state.spaces > maxSpaces || ch == '\n')
            start = pos + 1;
        else if (pos == 0)
            start = 0;
        else if (state.run > kLongestRun)
            return hit;
        else
            continue;
        // A long unspaced run before the hit takes everything before it away.
        return state.run > kLongestRun ? hit : start;
    }
    const std::size_t last = hit - static_cast<std::size_t>(limit - 1);
    return text.at(last) == ' ' ? last + 1 : last;
}

// The hit itself is never cut: a long word, or one that holds or opens with
// punctuation, is shown whole, and so can be marked.
std::size_t scanForward(TextView text, std::size_t hit, std::size_t hitLength, const WindowOptions& options,
                        long long limit) {
    ScanState state;
    const long long maxSpaces = options.contextWords + 1;
    const long long hitEnd = static_cast<long long>(hitLength);
    limit = std::max(limit, hitEnd);
    for (long long i = 0; i < limit; ++i) {
        const std::size_t pos = hit + static_cast<std::size_t>(i);
        if (pos >= text.length) return text.length;
        const Char ch = text.at(pos);
        state.see(ch, i);
        if (ch == '\n') return pos;
        if (i < hitEnd) continue;
        if (options.smartSearch && isSmartPunctuation(ch) && state.lastSpace != i - 1) return pos;
        if (state.spaces > maxSpaces) return pos + 1;
        if (state.run > kLongestRun) return pos;
    }
    return std::min(text.length, hit + static_cast<std::size_t>(limit));
}

}  // namespace

long long windowReach(const WindowOptions& options) {
    // Twenty characters a word is as far as a scan may look.
    return kLongestRun * std::max(1LL, options.contextWords);
}

HitWindow findHitWindow(TextView searched, std::size_t hit, std::size_t hitLength, const WindowOptions& options) {
    const long long limit = windowReach(options);
    HitWindow window;
    window.start = scanBackward(searched, hit, options, limit);
    window.end = scanForward(searched, hit, hitLength, options, limit);
    // Only a word that itself holds a line break could put the start behind the end.
    window.start = std::min(window.start, window.end);
    return window;
}

}  // namespace tyx12::detail
