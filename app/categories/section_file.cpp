#include "categories/section_file.h"

#include <string_view>

#include "platform/section_line.h"
#include "platform/blanks.h"

namespace tessaly {

namespace {

constexpr std::string_view lineEnd = "\r\n";

// A file that exists, read whole: the two steps every operation begins with.
Failure readLines(FileSystem& files, const std::string& path, std::string& bytes,
                  std::vector<std::string_view>& lines) {
    // A file that cannot be created where it is missing (a folder the person
    // may not write to) still reads as the empty file it stands for; the
    // writes that follow are the ones to fail and say so.
    ensureFileExists(files, path);
    if (Failure failure = files.readAll(path, bytes)) {
        if (failure.code != code::fileNotFound) return failure;
        bytes.clear();
    }
    lines = splitLines(bytes);
    return {};
}

// The writers find a section by its exact header, as they always did, and
// also by a header line the readers take for that name ("[ Work ]" for Work),
// so that what is read under a name is what is replaced under it.
bool startsSectionOf(std::string_view line, const std::string& name) {
    if (isExactHeader(line, name)) return true;
    const std::optional<std::string> header = headerName(line);
    return header && *header == name;
}

// An LF inside a name or an entry would split it into lines of its own and
// scatter it over the structure, and a NUL would make an entry line the
// readers leave out: such text is refused before anything is written.
Failure refuseLineBreaks(const std::string& path, const std::string& name,
                         const std::vector<std::string>* entries) {
    bool broken = name.find('\n') != std::string::npos;
    if (entries)
        for (const std::string& entry : *entries)
            broken |= entry.find_first_of(std::string_view("\n\0", 2)) != std::string::npos;
    if (!broken) return {};
    return Failure{code::invalidArgument, 0, "write", path};
}

void writeLine(std::string& out, std::string_view line) {
    out += line;
    out += lineEnd;
}

void writeSection(std::string& out, const std::string& name,
                  const std::vector<std::string>& entries) {
    writeLine(out, headerFor(name));
    for (const std::string& entry : entries)
        if (!entry.empty()) writeLine(out, entry);
}

}  // namespace

Failure listCategoryNames(FileSystem& files, const std::string& path,
                          std::vector<std::string>& names) {
    std::string bytes;
    std::vector<std::string_view> lines;
    if (Failure failure = readLines(files, path, bytes, lines)) return failure;
    for (std::string_view line : lines)
        if (std::optional<std::string> name = headerName(line)) names.push_back(std::move(*name));
    return {};
}

Failure readSection(FileSystem& files, const std::string& path, const std::string& name,
                    std::vector<std::string>& entries, std::size_t* unusableLines) {
    std::string bytes;
    std::vector<std::string_view> lines;
    if (Failure failure = readLines(files, path, bytes, lines)) return failure;

    bool inSection = false;
    for (std::string_view line : lines) {
        if (inSection && isBracketLine(line)) inSection = false;
        const std::optional<std::string> header = headerName(line);
        if (header && *header == name) inSection = true;
        // Comparing the raw line too passes over the header, and with it an
        // entry line that is the name itself; stored files have always been
        // read that way.
        const std::string_view key = header ? std::string_view(*header) : line;
        if (key == name || !inSection) continue;
        const std::string_view entry = trimBlanks(line);
        // The system reads a name only up to a NUL: a shorter folder than
        // the line names would be searched instead.
        if (entry.find('\0') != std::string_view::npos) {
            if (unusableLines) ++*unusableLines;
            continue;
        }
        if (!entry.empty()) entries.emplace_back(entry);
    }
    return {};
}

Failure hasSection(FileSystem& files, const std::string& path, const std::string& name,
                   bool& found) {
    found = false;
    std::string bytes;
    std::vector<std::string_view> lines;
    if (Failure failure = readLines(files, path, bytes, lines)) return failure;
    for (std::string_view line : lines)
        if (startsSectionOf(line, name)) found = true;
    return {};
}

Failure replaceSection(FileSystem& files, const std::string& path, const std::string& temporaryPath,
                       const std::string& name,
                       const std::optional<std::vector<std::string>>& entries) {
    if (Failure failure = refuseLineBreaks(path, name, entries ? &*entries : nullptr))
        return failure;
    std::string bytes;
    std::vector<std::string_view> lines;
    if (Failure failure = readLines(files, path, bytes, lines)) return failure;

    std::string out;
    out.reserve(bytes.size() + lines.size() + 64);
    bool found = false;
    bool skipping = false;
    for (std::string_view line : lines) {
        if (startsSectionOf(line, name)) {
            // Writing the list under every section of the name would make
            // the readers, who join those sections, see it once per section,
            // and each save would multiply it.
            if (entries && !found) writeSection(out, name, *entries);
            found = true;
            skipping = true;
        } else if (skipping) {
            if (isHeaderLine(line)) {
                writeLine(out, line);
                skipping = false;
            }
        } else {
            writeLine(out, line);
        }
    }
    if (!found) return {};
    return replaceFile(files, path, temporaryPath, out);
}

Failure removeSection(FileSystem& files, const std::string& path, const std::string& temporaryPath,
                      const std::string& name) {
    return replaceSection(files, path, temporaryPath, name, std::nullopt);
}

Failure appendSection(FileSystem& files, const std::string& path, const std::string& name,
                      const std::vector<std::string>& entries) {
    if (Failure failure = refuseLineBreaks(path, name, &entries)) return failure;
    std::string bytes;
    std::vector<std::string_view> lines;
    if (Failure failure = readLines(files, path, bytes, lines)) return failure;

    // A last line left without its end (a file edited by hand) would swallow
    // the new header, and the new section could never be read.
    std::string out;
    if (!bytes.empty() && bytes.back() != '\n') out = bytes.back() == '\r' ? "\n" : "\r\n";
    writeSection(out, name, entries);
    return files.append(path, out);
}

}  // namespace tessaly
