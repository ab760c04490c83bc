#include "search_scratch.h"

#include <new>

#include "normaliser.h"

namespace tyx12::detail {

SearchScratch* threadScratch() {
    thread_local std::unique_ptr<SearchScratch> scratch;
    if (!scratch) {
        try {
            auto fresh = std::make_unique<SearchScratch>();
            fresh->chunk.reset(new unsigned char[kReadChunk]);
            fresh->normalised.reset(new char[kNormalisedCapacity]);
            fresh->folded.reset(new char[kNormalisedCapacity]);
            scratch = std::move(fresh);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    return scratch.get();
}

}  // namespace tyx12::detail
