// The search engine, loaded by name at its first use like any plug-in engine:
// the program never links the engine's internals.
#pragma once

#include <string>

#include "platform/error_codes.h"
#include "tyx12/open_file_search.h"
#include "tyx12/tyx12.h"

namespace tessaly {

struct EngineCalls {
    decltype(&::stringSearch) stringSearch = nullptr;
    decltype(&::stringView) stringView = nullptr;
    // Absent from an engine built without it: the run then opens by path.
    decltype(&::tyx12SearchOpenFile) searchOpenFile = nullptr;
    // Absent from an older engine: documents are then searched as their bytes.
    decltype(&::tyx12SearchHeld) searchHeld = nullptr;
    decltype(&::tyx12SearchGrowing) searchGrowing = nullptr;
    decltype(&::tyx12ViewText) viewText = nullptr;
    // Absent from an older engine: the viewer then waits for the whole body.
    decltype(&::tyx12ViewOpenFile) viewOpenFile = nullptr;
    decltype(&::tyx12ViewHeldText) viewHeldText = nullptr;
    // Absent from an older engine: the viewer then finds the result lines'
    // hit words in its text itself.
    decltype(&::tyx12SearchHitWords) searchHitWords = nullptr;
    // Absent from an older engine: no word index is kept or used.
    decltype(&::tyx12SearchGatheringWords) searchGatheringWords = nullptr;
    decltype(&::tyx12IndexTerms) indexTerms = nullptr;
    decltype(&::tyx12CouldMatch) couldMatch = nullptr;
    // Absent from an older engine: a read error then reads as the file's end.
    decltype(&::tyx12LastReadError) lastReadError = nullptr;
};

// The engine's two calls, or a Failure with code 298 naming what could not be
// loaded. The library is looked for beside the running program first, then
// wherever the system looks for libraries. Loaded once; later calls return
// the same answer.
const EngineCalls* loadEngine(Failure& failure);

// Loads from an explicit file, for tests and tools; not cached.
const EngineCalls* loadEngineFrom(const std::string& libraryPath, Failure& failure);

inline constexpr char kEngineLibraryName[] = "libtyx12.so";

}  // namespace tessaly
