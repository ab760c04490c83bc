#include "criteria/scope_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "platform/section_line.h"
#include "criteria/file_size.h"
#include "criteria/folder_patterns.h"
#include "platform/blanks.h"

namespace tessaly {

namespace {

constexpr std::string_view lineEnd = "\r\n";

namespace key {
constexpr std::string_view leftOutFolders = "leftOutFolders";
constexpr std::string_view hiddenIncluded = "hiddenIncluded";
constexpr std::string_view binaryIncluded = "binaryIncluded";
constexpr std::string_view largestFileSize = "largestFileSize";
constexpr std::string_view documentsAsText = "documentsAsText";
constexpr std::string_view documentSecondsLimit = "documentSecondsLimit";
constexpr std::string_view rememberWords = "rememberWords";
constexpr std::string_view namesSearched = "namesSearched";
}  // namespace key

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

std::optional<bool> truthOf(std::string_view value) {
    const std::string lower = lowerAscii(value);
    if (lower == "true" || lower == "yes" || lower == "1") return true;
    if (lower == "false" || lower == "no" || lower == "0") return false;
    return std::nullopt;
}

// A document's time limit: a whole number of seconds, 1 to an hour.
std::optional<std::uint32_t> secondsOf(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 3600) return std::nullopt;
    return value;
}

// Only a line that is a header and nothing else starts a section: a value
// may hold brackets ("[Bb]uild*" is a pattern), and the category file's rule
// that any bracket line ends a section would cut it off there.
std::optional<std::string> sectionHeader(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return std::nullopt;
    return headerName(trimmed);
}

class ScopeReader {
public:
    void line(std::string_view text) {
        if (const std::optional<std::string> header = sectionHeader(text)) {
            inSection_ = *header == scopeSectionName;
            return;
        }
        const std::string_view trimmed = trimBlanks(text);
        if (!inSection_ || trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return;
        const std::size_t equals = trimmed.find('=');
        if (equals == std::string_view::npos) {
            decoded_.unreadable.emplace_back(trimmed);
            return;
        }
        value(trimBlanks(trimmed.substr(0, equals)), trimBlanks(trimmed.substr(equals + 1)));
    }

    DecodedScope result() && { return std::move(decoded_); }

private:
    void value(std::string_view name, std::string_view text) {
        SearchScope& scope = decoded_.scope;
        if (name == key::leftOutFolders) {
            scope.leftOutFolders = splitFolderPatterns(text);
        } else if (name == key::hiddenIncluded) {
            readInto(name, truthOf(text), scope.hiddenIncluded, SearchScope{}.hiddenIncluded);
        } else if (name == key::binaryIncluded) {
            readInto(name, truthOf(text), scope.binaryIncluded, SearchScope{}.binaryIncluded);
        } else if (name == key::largestFileSize) {
            readInto(name, parseFileSize(text), scope.largestFileSize, SearchScope{}.largestFileSize);
        } else if (name == key::documentsAsText) {
            readInto(name, truthOf(text), scope.documentsAsText, SearchScope{}.documentsAsText);
        } else if (name == key::rememberWords) {
            readInto(name, truthOf(text), scope.rememberWords, SearchScope{}.rememberWords);
        } else if (name == key::namesSearched) {
            readInto(name, truthOf(text), scope.namesSearched, SearchScope{}.namesSearched);
        } else if (name == key::documentSecondsLimit) {
            readInto(name, secondsOf(text), scope.documentSecondsLimit, SearchScope{}.documentSecondsLimit);
        }
    }

    // A later line of the key wins, a damaged one included: the key is then
    // at its default, as the person is told.
    template <typename Value>
    void readInto(std::string_view name, std::optional<Value> read, Value& into, Value fallback) {
        into = read.value_or(fallback);
        if (!read) decoded_.unreadable.emplace_back(name);
    }

    DecodedScope decoded_;
    bool inSection_ = false;
};

void writeLine(std::string& out, std::string_view name, std::string_view value) {
    out += name;
    out += '=';
    out += value;
    out += lineEnd;
}

std::string_view truthText(bool value) {
    return value ? "true" : "false";
}

}  // namespace

DecodedScope decodeScope(std::string_view bytes) {
    ScopeReader reader;
    for (const std::string_view line : splitLines(bytes)) reader.line(line);
    return std::move(reader).result();
}

std::string encodeScope(const SearchScope& scope) {
    std::string out = headerFor(scopeSectionName);
    out += lineEnd;
    writeLine(out, key::leftOutFolders, joinFolderPatterns(scope.leftOutFolders));
    writeLine(out, key::hiddenIncluded, truthText(scope.hiddenIncluded));
    writeLine(out, key::binaryIncluded, truthText(scope.binaryIncluded));
    writeLine(out, key::largestFileSize, std::to_string(scope.largestFileSize));
    writeLine(out, key::documentsAsText, truthText(scope.documentsAsText));
    writeLine(out, key::documentSecondsLimit, std::to_string(scope.documentSecondsLimit));
    writeLine(out, key::rememberWords, truthText(scope.rememberWords));
    writeLine(out, key::namesSearched, truthText(scope.namesSearched));
    return out;
}

}  // namespace tessaly
