// Random bytes as the scope settings file: whatever the reader makes of them,
// written back and read again it is the same scope, with nothing unreadable.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "criteria/scope_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 8192) return 0;
    using namespace tessaly;
    const DecodedScope first = decodeScope(std::string_view(reinterpret_cast<const char*>(data), size));
    const DecodedScope again = decodeScope(encodeScope(first.scope));
    if (!(again.scope == first.scope) || !again.unreadable.empty()) {
        std::fprintf(stderr, "invariant broken: a scope written back reads the same\n");
        std::abort();
    }
    return 0;
}
