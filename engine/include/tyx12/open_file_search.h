// The search run's own entries into the engine, beside the two exports every
// caller may use: the same search as stringSearch, on a file the caller has
// already opened or on text it holds. A run that walks folders opens each file relative to its
// folder, so the system never walks the whole path again, and it learns why
// a file could not be opened instead of getting 0 for it.
#ifndef TYX12_OPEN_FILE_SEARCH_H
#define TYX12_OPEN_FILE_SEARCH_H

#include "tyx12/tyx12.h"

#ifdef __cplusplus
extern "C" {
#endif

// As stringSearch, reading `openFile` from where it stands to its end. The
// descriptor stays open and belongs to the caller.
TYX12_API uint32_t tyx12SearchOpenFile(int openFile, int32_t caseCode, char* word1, int32_t code1,
                                       char* word2, int32_t code2, char* word3, int32_t code3,
                                       char* word4, int32_t smartSearch, int32_t contextWords,
                                       int32_t allHits, char* resultBuffer, int32_t nearbyWords);

// As tyx12SearchOpenFile, with the input's first `heldLength` bytes already
// read by the caller into `held`: `openFile` was read from the file's first
// byte and stands just after them. With `openFile` -1, `held` is the whole
// input: text the caller made, such as a document's text as UTF-8.
TYX12_API uint32_t tyx12SearchHeld(int openFile, const char* held, uint64_t heldLength, int32_t caseCode,
                                   char* word1, int32_t code1, char* word2, int32_t code2, char* word3,
                                   int32_t code3, char* word4, int32_t smartSearch, int32_t contextWords,
                                   int32_t allHits, char* resultBuffer, int32_t nearbyWords);

// Lengthens a text the caller makes as the search asks for more (a document
// read page by page): sets `*text` to where all of it now stands and returns
// its length; the same length as before means it has ended.
typedef uint64_t (*tyx12MoreText)(void* context, const char** text);

// As tyx12SearchHeld with no file, on a text that grows as it is read: a
// search that has its answer early stops asking for more.
TYX12_API uint32_t tyx12SearchGrowing(tyx12MoreText more, void* context, int32_t caseCode, char* word1,
                                      int32_t code1, char* word2, int32_t code2, char* word3, int32_t code3,
                                      char* word4, int32_t smartSearch, int32_t contextWords, int32_t allHits,
                                      char* resultBuffer, int32_t nearbyWords);

// As stringView, on text the caller holds: `capacityBase` plays the part of
// the file size in sizing viewBuffer.
TYX12_API int32_t tyx12ViewText(const char* text, uint64_t length, int32_t capacityBase, char* viewBuffer);

// Takes one hit word's place in the text a viewer shows of the same input
// (tyx12ViewOpenFile, tyx12ViewHeldText): `start` and `length` count its
// characters, a paragraph break as one. Returns 0 when no more are wanted.
typedef int32_t (*tyx12HitWord)(void* context, uint64_t start, uint64_t length);

// The search a viewer makes to mark its text: as tyx12SearchHeld with every
// hit wanted, but instead of result lines it hands `hit` the place of every
// hit word that a result line would highlight, in order, each once, and
// however many there are. The input is `held` whole, or with `held` null
// the file `openFile` from where it stands, which is read twice and must be
// seekable. Returns 1 when the input was searched (to its end, or until `hit`
// asked for no more), 0 when it could not be.
TYX12_API int32_t tyx12SearchHitWords(int openFile, const char* held, uint64_t heldLength, int32_t caseCode,
                                      char* word1, int32_t code1, char* word2, int32_t code2, char* word3,
                                      int32_t code3, char* word4, int32_t smartSearch, int32_t contextWords,
                                      int32_t nearbyWords, tyx12HitWord hit, void* context);

// A word index kept beside the engine (a cache of the words of files searched
// before) may pass over a file unread when it proves the file cannot match.
// A file's words there are its text's maximal runs of word characters,
// folded as the engine folds them, each also kept reversed.
//
// Takes one term that the words of a file must hold for search word
// `wordIndex` (0 to 3) to be found in it: `kind` 0 a whole word, 1 a prefix
// of a word, 2 a prefix of a reversed word; `term` is UTF-8. Returns 0 when no
// more are wanted.
typedef int32_t (*tyx12IndexTerm)(void* context, int32_t wordIndex, int32_t kind, const char* term,
                                   uint64_t length);

// Hands `term` every term of every search word; a word may have to be in a
// file only if all its terms are. Returns a mask: bit i set when word i + 1
// has terms (a word without any, such as "*-*", may be in any file).
TYX12_API int32_t tyx12IndexTerms(const char* word1, int32_t code1, const char* word2, int32_t code2,
                                  const char* word3, int32_t code3, const char* word4, tyx12IndexTerm term,
                                  void* context);

// Takes one of a text's words for a word index: `reversed` 0 for the word's
// start (its first 64 characters at most, UTF-8), 1 for its end reversed
// (its last 64 characters at most). Returns 0 when no more are wanted.
typedef int32_t (*tyx12TextWord)(void* context, int32_t reversed, const char* word, uint64_t length);

// As tyx12SearchHeld, or with `more` given as tyx12SearchGrowing on
// `moreContext`, but reading the whole input whatever the answer, and then
// handing `word` each of the text's words once. `*whole` becomes 1 when
// they are all the words of the whole input, 0 when it could not be read to
// its end (then none are handed over).
TYX12_API uint32_t tyx12SearchGatheringWords(int openFile, const char* held, uint64_t heldLength,
                                             tyx12MoreText more, void* moreContext, int32_t caseCode,
                                             char* word1, int32_t code1, char* word2, int32_t code2,
                                             char* word3, int32_t code3, char* word4, int32_t smartSearch,
                                             int32_t contextWords, int32_t allHits, char* resultBuffer,
                                             int32_t nearbyWords, tyx12TextWord word, void* wordContext,
                                             int32_t* whole);

// Whether a file could match the words joined by the codes when bit i of
// `mayHold` says whether word i + 1 may be in it: 0 when it surely cannot.
TYX12_API int32_t tyx12CouldMatch(const char* word1, int32_t code1, const char* word2, int32_t code2,
                                  const char* word3, int32_t code3, const char* word4, uint32_t mayHold);

// The error (an errno value) that cut the input of this thread's last search
// short, or 0 when it was read as far as the search needed: a search that
// read only part of a file did not search it, whatever it answered.
TYX12_API int32_t tyx12LastReadError(void);

// Takes a piece of a viewer's body; returns 0 when no more is wanted.
typedef int32_t (*tyx12ViewPiece)(void* context, const char* rtf, uint64_t length);

// The body stringView makes, of `openFile` from where it stands to its end
// whatever its length, handed to `piece` a piece at a time as it is made, so
// that a viewer shows the start of a long file at once. A piece never ends
// inside an escape. Returns 1 when the file was read (to its end, or until
// `piece` asked for no more), 0 when it could not be. The descriptor stays
// open and belongs to the caller.
TYX12_API int32_t tyx12ViewOpenFile(int openFile, tyx12ViewPiece piece, void* context);

// The same for text the caller holds.
TYX12_API int32_t tyx12ViewHeldText(const char* text, uint64_t length, tyx12ViewPiece piece, void* context);

#ifdef __cplusplus
}
#endif

#endif
