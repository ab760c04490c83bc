#include "search_scratch.h"

#include <new>

namespace tyx12::detail {

SearchScratch* threadScratch() {
    thread_local std::unique_ptr<SearchScratch> scratch;
    if (!scratch) {
        try {
            auto fresh = std::make_unique<SearchScratch>();
            fresh->raw.reset(new unsigned char[kRawBufferSize]);
            scratch = std::move(fresh);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    return scratch.get();
}

}  // namespace tyx12::detail
