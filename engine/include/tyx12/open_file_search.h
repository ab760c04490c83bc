// The search run's own entry into the engine, beside the two exports every
// caller may use: the same search as stringSearch, on a file the caller has
// already opened. A run that walks folders opens each file relative to its
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

#ifdef __cplusplus
}
#endif

#endif
