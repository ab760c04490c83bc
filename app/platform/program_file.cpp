#include "platform/program_file.h"

#include <algorithm>
#include <string_view>

namespace tessaly {

namespace {

// Enough for the headers, and for a launcher's comment lines before its group.
constexpr std::size_t kStartLength = 4096;

bool endsWithNoCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) return false;
    return std::equal(
        ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
        [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
}

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

std::string_view trimmed(std::string_view line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front())) line.remove_prefix(1);
    while (!line.empty() && blank(line.back())) line.remove_suffix(1);
    return line;
}

// The opener knows a launcher by its name; the desktop's type sniffing also
// by its group header, whatever the name.
bool isLauncher(std::string_view path, std::string_view start) {
    if (endsWithNoCase(path, ".desktop") || endsWithNoCase(path, ".kdelnk")) return true;
    if (startsWith(start, "\xEF\xBB\xBF")) start.remove_prefix(3);
    while (!start.empty()) {
        const std::size_t end = start.find('\n');
        // A line cut off by the end of what was read is judged as far as it goes.
        const std::string_view line = trimmed(start.substr(0, end));
        start = end == std::string_view::npos ? std::string_view{} : start.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        return startsWith(line, "[Desktop Entry]") || startsWith(line, "[KDE Desktop Entry]");
    }
    return false;
}

// "MZ" is how the desktop's type sniffing knows a Windows program, which an
// installed Wine runs when it is opened. A zip with a Java manifest is a jar,
// which an installed Java runtime runs; an internet shortcut leads anywhere,
// a program included.
bool saysItIsAProgram(std::string_view start) {
    if (startsWith(start, "PK\3\4") && start.find("META-INF/MANIFEST.MF") != std::string_view::npos) return true;
    std::string_view shortcut = start;
    if (startsWith(shortcut, "\xEF\xBB\xBF")) shortcut.remove_prefix(3);
    return startsWith(start, "\177ELF") || startsWith(start, "#!") || startsWith(start, "MZ") ||
           startsWith(trimmed(shortcut), "[InternetShortcut]");
}

// Openers that go by the name hand these to a runtime or an installer: Java
// archives, Windows installers and patches (Wine's msiexec), and shortcuts
// to a place of their own choosing.
bool namedAsAProgram(std::string_view path) {
    for (const std::string_view ending : {".jar", ".msi", ".msp", ".url", ".webloc"})
        if (endsWithNoCase(path, ending)) return true;
    return false;
}

}  // namespace

ProgramCheck checkProgramFile(FileSystem& files, const std::string& path) {
    ProgramCheck check;
    FileStart start;
    if ((check.failure = files.readStart(path, kStartLength, start))) return check;
    if (start.kind != EntryKind::File)
        check.verdict = ProgramVerdict::NotAFile;
    else if (start.executable || saysItIsAProgram(start.bytes) || isLauncher(path, start.bytes) ||
             namedAsAProgram(path))
        check.verdict = ProgramVerdict::Program;
    else
        check.verdict = ProgramVerdict::Document;
    check.identity = start.identity;
    return check;
}

bool stillTheFileJudged(FileSystem& files, const std::string& path, const ProgramCheck& check) {
    FileStart now;
    return !files.readStart(path, 0, now) && now.kind == EntryKind::File && now.identity == check.identity;
}

}  // namespace tessaly
