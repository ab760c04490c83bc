#include "criteria/word_check.h"

#include <algorithm>

#include "platform/blanks.h"

namespace tessaly {

namespace {

bool isSingleLetter(std::string_view word) {
    if (word.size() != 1) return false;
    const char c = word[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// One star, first or last, in a word without blanks.
bool wildcardAcceptable(std::string_view word) {
    if (word.find(' ') != std::string_view::npos) return false;
    if (std::count(word.begin(), word.end(), '*') != 1) return false;
    return word.front() == '*' || word.back() == '*';
}

}  // namespace

bool allWordsEmpty(const SearchWords& words) {
    return std::all_of(words.begin(), words.end(), [](const auto& word) { return word.empty(); });
}

bool inputValidate(SearchWords& words, WildcardWarnings& warnings, CriteriaMessages& messages) {
    for (int index = 0; index < 4; ++index) {
        std::string& box = words[index];
        box = std::string(trimBlanks(box));
        const std::string word = box;

        if (isSingleLetter(word)) {
            messages.refuse(index, singleLetterText, singleLetterTitle);
            box.clear();
            messages.focusWord(index);
        }
        bool& armed = warnings.armed[index];
        if (armed && word.find('*') != std::string::npos && !wildcardAcceptable(word)) {
            messages.refuse(index, wildcardText, wildcardTitle);
            armed = false;
            messages.focusWord(index);
            return false;
        }
        armed = true;
    }
    return true;
}

}  // namespace tessaly
