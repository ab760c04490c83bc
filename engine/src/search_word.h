// One search word as the finds see it: the text the caller typed, and the core
// that is actually looked for (the text without its star, for a wildcard).
#pragma once

#include <cstddef>
#include <string_view>

namespace tyx12::detail {

enum class WildcardMode { None, Prefix, Suffix };

class SearchWord {
public:
    SearchWord() = default;
    explicit SearchWord(std::string_view text);

    std::string_view text() const { return text_; }
    std::string_view core() const { return core_; }
    WildcardMode mode() const { return mode_; }
    // Characters a hit covers, for the highlight and for moving past a hit.
    std::size_t hitLength() const { return core_.size(); }
    bool findable() const { return !core_.empty(); }
    // Whether a find from a later start may reuse an earlier find's answer;
    // see WordCursor.
    bool resumable() const { return resumable_; }

private:
    std::string_view text_;
    std::string_view core_;
    WildcardMode mode_ = WildcardMode::None;
    bool resumable_ = false;
};

}  // namespace tyx12::detail
