#include "platform/qt/rtf_colour_table.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

struct ControlWord {
    std::string_view word;
    long long number = 0;
    bool hasNumber = false;
};

// Reads the control word whose backslash stands at rtf[pos]; pos ends behind it.
ControlWord readControlWord(std::string_view rtf, std::size_t& pos) {
    ControlWord result;
    ++pos;
    if (pos >= rtf.size()) return result;
    if (!isLetter(rtf[pos])) {
        ++pos;  // an escaped symbol such as \\ or \{: one character, never a word
        return result;
    }
    const std::size_t start = pos;
    while (pos < rtf.size() && isLetter(rtf[pos])) ++pos;
    result.word = rtf.substr(start, pos - start);
    bool negative = false;
    if (pos < rtf.size() && rtf[pos] == '-') negative = true, ++pos;
    while (pos < rtf.size() && rtf[pos] >= '0' && rtf[pos] <= '9') {
        result.hasNumber = true;
        if (result.number < 1000000) result.number = result.number * 10 + (rtf[pos] - '0');
        ++pos;
    }
    if (negative) result.number = -result.number;
    return result;
}

int component(long long number) {
    return static_cast<int>(std::clamp<long long>(number, 0, 255));
}

RtfColourTable readEntries(std::string_view rtf, std::size_t& pos) {
    RtfColourTable table;
    RtfColour entry;
    bool hasComponent = false;
    int depth = 0;  // groups opened inside the table
    while (pos < rtf.size()) {
        const char c = rtf[pos];
        if (c == '\\') {
            const ControlWord control = readControlWord(rtf, pos);
            // Groups inside the table (\* extensions) carry no entries of ours.
            if (depth > 0) continue;
            if (control.word == "red")
                entry.red = component(control.number), hasComponent = true;
            else if (control.word == "green")
                entry.green = component(control.number), hasComponent = true;
            else if (control.word == "blue")
                entry.blue = component(control.number), hasComponent = true;
            continue;
        }
        ++pos;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth-- == 0) break;
        } else if (c == ';' && depth == 0) {
            entry.automatic = !hasComponent;
            table.push_back(entry);
            entry = RtfColour{};
            hasComponent = false;
        }
    }
    return table;
}

}  // namespace

std::optional<RtfColourTable> readRtfColourTable(std::string_view rtf) {
    // Most pieces of a pane have none: a plain look says so without reading
    // every control word.
    constexpr std::string_view kTable = "\\colortbl";
    if (!::memmem(rtf.data(), rtf.size(), kTable.data(), kTable.size())) return std::nullopt;
    std::size_t pos = 0;
    while (pos < rtf.size()) {
        if (rtf[pos] != '\\') {
            ++pos;
            continue;
        }
        if (readControlWord(rtf, pos).word == "colortbl") return readEntries(rtf, pos);
    }
    return std::nullopt;
}

}  // namespace tessaly
