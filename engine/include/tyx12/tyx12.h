// The tyx12 search engine: the only two functions the library exports.
// Callers own every buffer. The engine keeps nothing between calls but
// per-thread scratch, so calls from different threads may overlap.
#ifndef TYX12_TYX12_H
#define TYX12_TYX12_H

#include <stdint.h>

#if defined(TYX12_BUILDING)
#define TYX12_API __attribute__((visibility("default")))
#else
#define TYX12_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Case codes.
#define TYX12_IGNORE_CASE 201
#define TYX12_MATCH_CASE 200

// Combination codes, one between each pair of consecutive words.
#define TYX12_AND 210
#define TYX12_OR 211
#define TYX12_NOT 212
#define TYX12_NEARBY 213

// The caller's result buffer must hold at least this many bytes.
#define TYX12_RESULT_MIN_CAPACITY 51201
// A returned length above this means the result did not fit and the buffer is empty.
#define TYX12_RESULT_MAX_LENGTH 51200
// stringView never writes at or beyond fileSize plus this many bytes.
#define TYX12_VIEW_EXTRA_CAPACITY 51200
// A body that ends this close to its buffer's capacity may have been cut.
#define TYX12_VIEW_CUT_MARGIN 64

// Searches one whole file, whatever its size (fileSize is not needed and not
// read), for up to four words given as UTF-8. The file is read as UTF-16 after
// its byte-order mark, otherwise as UTF-8 with every byte that is not part of
// a well-formed sequence taken as Windows-1252. A null or empty word is absent.
// With TYX12_IGNORE_CASE the words' letters A to Z are lower-cased in place,
// and a word may be overwritten with "a" to take it out of the result lines:
// pass copies. Returns the length of the RTF result text (ASCII, every other
// character written \uN?); 0 means no match or failure.
TYX12_API uint32_t stringSearch(const char* fileName, int32_t fileSize, int32_t caseCode,
                                char* word1, int32_t code1, char* word2, int32_t code2,
                                char* word3, int32_t code3, char* word4, int32_t smartSearch,
                                int32_t contextWords, int32_t allHits, char* resultBuffer,
                                int32_t nearbyWords);

// Turns a whole file into an RTF body for viewing, read as stringSearch reads
// it. viewBuffer must hold fileSize + TYX12_VIEW_EXTRA_CAPACITY bytes; the body
// stops short of that, so a caller that wants every character passes a size
// large enough for the markup (a line break takes 27 bytes, a character
// beyond ASCII up to 18) or grows the buffer and calls again while the body
// runs up to its last TYX12_VIEW_CUT_MARGIN bytes. Returns 1 on success, 0 when
// the file cannot be read (viewBuffer is then untouched).
TYX12_API int32_t stringView(const char* fileName, int32_t fileSize, char* viewBuffer);

#ifdef __cplusplus
}
#endif

#endif
