#include "search_word.h"

#include "char_class.h"
#include "text_decoder.h"

namespace tyx12::detail {

SearchWord::SearchWord(std::string_view bytes, bool fold) {
    TextDecoder().decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), true,
                         [&](Char c) { text_.push_back(fold ? simpleFold(c) : c); });
    coreLength_ = text_.size();
    // A star anywhere makes a wildcard; where it is decides the mode, and the
    // core drops the first or the last character accordingly.
    if (text_.find(U'*') != std::u32string::npos) {
        mode_ = text_.front() == U'*' ? WildcardMode::Suffix : WildcardMode::Prefix;
        coreStart_ = mode_ == WildcardMode::Suffix ? 1 : 0;
        coreLength_ = text_.size() - 1;
    }
    // A candidate that fails its neighbour test makes the find jump behind it,
    // so occurrences overlapping it are never tried. Only when the core is all
    // word characters and the left neighbour is tested can such a skipped
    // occurrence never have passed, which makes the answer independent of where
    // an earlier search started.
    resumable_ = mode_ != WildcardMode::Suffix;
    for (Char c : core()) resumable_ = resumable_ && isWordChar(c);
}

}  // namespace tyx12::detail
