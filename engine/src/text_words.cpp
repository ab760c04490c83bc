#include "text_words.h"

#include "char_class.h"

namespace tyx12::detail {

void TextWords::take(const Char* characters, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Char c = characters[i];
        if (!isWordChar(c)) {
            if (currentLength_ > 0) endWord();
            continue;
        }
        current_.push_back(simpleFold(c));
        ++currentLength_;
        // A run with no end in sight (a binary file's) keeps its start and
        // its latest characters only.
        if (current_.size() > 4 * kKeptCharacters)
            current_.erase(kKeptCharacters, current_.size() - 2 * kKeptCharacters);
    }
}

void TextWords::endWord() {
    if (currentLength_ == 0) return;
    words_.emplace(current_.substr(0, kKeptCharacters));
    const std::size_t tail = std::min(current_.size(), kKeptCharacters);
    reversed_.emplace(current_.rbegin(), current_.rbegin() + static_cast<std::ptrdiff_t>(tail));
    current_.clear();
    currentLength_ = 0;
}

}  // namespace tyx12::detail
