#include "viewer/rtf_body_split.h"

namespace tessaly {

std::size_t bodySplitPoint(std::string_view body, std::size_t wanted) {
    int depth = 0;
    bool escaped = false;  // the character before was a lone backslash
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (i >= wanted && depth == 0 && !escaped) return i;
        const char c = body[i];
        if (escaped) {
            escaped = false;
        } else if (c == '\\') {
            escaped = true;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && depth > 0) {
            --depth;
        }
    }
    return body.size();
}

}  // namespace tessaly
