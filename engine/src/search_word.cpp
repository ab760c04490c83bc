#include "search_word.h"

#include "char_class.h"

namespace tyx12::detail {

namespace {

bool allLettersOrDigits(std::string_view s) {
    for (char c : s)
        if (!isLetterOrDigit(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace

SearchWord::SearchWord(std::string_view text) : text_(text), core_(text) {
    // A star anywhere makes a wildcard; where it is decides the mode, and the
    // core drops the first or the last character accordingly.
    if (text.find('*') != std::string_view::npos) {
        if (text.front() == '*') {
            mode_ = WildcardMode::Suffix;
            core_ = text.substr(1);
        } else {
            mode_ = WildcardMode::Prefix;
            core_ = text.substr(0, text.size() - 1);
        }
    }
    // A candidate that fails its neighbour test makes the find jump behind it,
    // so occurrences overlapping it are never tried. Only when the core is all
    // letters and digits and the left neighbour is tested can such a skipped
    // occurrence never have passed, which makes the answer independent of where
    // an earlier search started.
    resumable_ = mode_ != WildcardMode::Suffix && allLettersOrDigits(core_);
}

}  // namespace tyx12::detail
