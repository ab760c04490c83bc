// A file's words as the index takes them in: each in its indexed form and
// followed by one blank, in one string, which is the text the word tables
// split again. Gathered so as the search hands the words over, it costs no
// allocation a word.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "index/index_term.h"

namespace tessaly {

class IndexedWords {
public:
    void add(std::string_view word) {
        if (word.empty()) return;
        text_ += indexedForm(word);
        text_ += ' ';
        ++count_;
    }
    const std::string& text() const { return text_; }
    // Repeats count as often as they were added.
    std::size_t count() const { return count_; }
    bool empty() const { return count_ == 0; }

private:
    std::string text_;
    std::size_t count_ = 0;
};

}  // namespace tessaly
