#include "terminal_name.h"

#include <cstdio>

#include "platform/utf8.h"

namespace tessaly::cli {

namespace {

void appendEscape(std::string& shown, const char* form, unsigned value) {
    char escape[12];
    std::snprintf(escape, sizeof escape, form, value);
    shown += escape;
}

}  // namespace

std::string terminalName(std::string_view name) {
    std::string shown;
    shown.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        const auto byte = static_cast<unsigned char>(name[at]);
        const Utf8Sequence character = decodeUtf8(name, at);
        if (byte < 0x20 || byte == 0x7f) {
            appendEscape(shown, "\\x%02x", byte);
            ++at;
        } else if (character.length == 0) {
            // A stray byte: one of 0x80-0x9F is a control to a terminal that
            // takes 8-bit controls; the others show as the terminal likes.
            if (byte <= 0x9f) appendEscape(shown, "\\x%02x", byte);
            else shown += name[at];
            ++at;
        } else {
            if (character.codePoint >= 0x80 && character.codePoint <= 0x9f)
                appendEscape(shown, "\\u{%02x}", static_cast<unsigned>(character.codePoint));
            else
                shown.append(name, at, character.length);
            at += character.length;
        }
    }
    return shown;
}

}  // namespace tessaly::cli
