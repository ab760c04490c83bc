// What a text's words must hold for a search word to be found in it. A
// text's words, as a word index keeps them, are its maximal runs of word
// characters, folded; a search word's core splits at its other characters
// into runs, and a find of the word in the text puts each run onto the
// text's words:
// - a run with a boundary on both sides in the core (or at a side the find
//   tests) is a whole word of the text;
// - a run at an edge of the core whose neighbour the find does not test is
//   part of a word: its start for a star after the word (a prefix), its end
//   for a star before it (a suffix, kept reversed).
// So a text whose words hold none of a run's forms cannot hold the word.
// Folding keeps a character a word character or not (tested over every code
// point), so runs split alike whether case is matched or not, and the folded
// words stand for both.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "char_class.h"
#include "search_word.h"
#include "text_view.h"

namespace tyx12::detail {

enum class TermKind { Word, Prefix, ReversedPrefix };

struct IndexTerm {
    TermKind kind;
    std::u32string text;  // folded; reversed for ReversedPrefix
    bool operator==(const IndexTerm&) const = default;
};

// The terms a text's words must all hold for `word` (folded) to be found in
// it; nothing when the word could be found whatever the words are (its core
// holds no word character).
std::optional<std::vector<IndexTerm>> indexTermsOf(const SearchWord& word);

// Whether words of a text, given as a set that answers the three kinds of
// question, hold a term.
template <class Words>
bool holdsTerm(const Words& words, const IndexTerm& term) {
    switch (term.kind) {
    case TermKind::Word: return words.holdsWord(term.text);
    case TermKind::Prefix: return words.holdsPrefix(term.text);
    case TermKind::ReversedPrefix: return words.holdsReversedPrefix(term.text);
    }
    return true;
}

// Each of the text's words, in order, repeats included: its maximal runs of
// word characters. `text` is the folded text.
template <class Take>
void forEachTextWord(TextView text, Take take) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.length; ++i) {
        const bool word = i < text.length && isWordChar(text.data[i]);
        if (word) continue;
        if (i > start) take(std::u32string_view(text.data + start, i - start));
        start = i + 1;
    }
}

}  // namespace tyx12::detail
