#include "hit_word_search.h"

#include <unistd.h>

#include <vector>

#include "read_error.h"

namespace tyx12::detail {

namespace {

std::int32_t keepPlace(void* context, std::uint64_t start, std::uint64_t length) {
    static_cast<std::vector<TextPlace>*>(context)->push_back(
        {static_cast<std::size_t>(start), static_cast<std::size_t>(length)});
    return 1;
}

}  // namespace

bool findHitWordPlaces(SearchRequest request, const TextPlaceSink& sink) {
    const bool held = request.held != nullptr;
    const off_t start = held ? 0 : ::lseek(request.openFile, 0, SEEK_CUR);
    if (start < 0) return false;
    if (held) request.openFile = -1;
    // The search counts places in its own text, which folds runs of line
    // feeds into one blank: they are counted again in the body's.
    std::vector<TextPlace> places;
    request.allHits = true;
    request.hitWords = {keepPlace, &places};
    threadReadError = 0;
    runSearch(request, nullptr);
    if (threadReadError != 0) return false;
    if (places.empty()) return true;
    if (!held && ::lseek(request.openFile, start, SEEK_SET) != start) return false;
    InputFile again = held ? InputFile(InputFile::Held{request.held, request.heldLength, -1})
                           : InputFile(InputFile::Borrowed{request.openFile});
    return translateToViewerPlaces(again, places, sink) && threadReadError == 0;
}

}  // namespace tyx12::detail
