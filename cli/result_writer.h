// Writes the matching files of a run in one of the command's output formats.
#pragma once

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include "command_line.h"

namespace tessaly::cli {

struct MatchedFile {
    int number = 0;           // the entry marker's number
    std::string path;
    std::time_t modified = 0;
    std::string dateText;     // as the heading shows it
    std::string_view lines;   // the engine's RTF result lines; empty in Name Only
    bool tooManyHits = false;
    bool nameAndText = true;
};

class ResultWriter {
public:
    virtual ~ResultWriter() = default;
    virtual void file(const MatchedFile& match) = 0;
    virtual void finish() {}
    // What the whole run came to, for the formats that say it (JSON).
    struct Summary {
        long searched = 0;
        long matched = 0;
        long passedOver = 0;
        long ruledOut = 0;  // searched by the word index's proof alone
        double seconds = 0;
    };
    virtual void summary(const Summary&) {}
};

struct WriterStyle {
    bool colour = false;        // text format: hit words in bold red, headings in blue
    bool toTerminal = false;    // names with control characters are shown escaped
    bool nulSeparated = false;  // paths format: each path ends with a NUL, for xargs -0
};
std::unique_ptr<ResultWriter> makeResultWriter(OutputFormat format, std::FILE* out, WriterStyle style);

// Local time as "2003-03-15 10:04:05": the same on every machine, sorted as text.
std::string dateText(std::time_t modified);

}  // namespace tessaly::cli
