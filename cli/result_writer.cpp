#include "result_writer.h"

#include <cstdio>
#include <vector>

#include "platform/utf8.h"
#include "terminal_name.h"
#include "platform/rtf_reader.h"
#include "run/result_document.h"

namespace tessaly::cli {

namespace {

constexpr std::string_view kTooManyHitsNote =
    "Too many hits found. Please refine the search text and search this file again!";

void put(std::FILE* out, std::string_view text) { std::fwrite(text.data(), 1, text.size(), out); }

// The engine's lines as plain paragraphs of runs; the blank paragraph each
// line separator adds is dropped.
std::vector<RtfParagraph> hitLines(std::string_view lines) {
    std::vector<RtfParagraph> paragraphs;
    for (RtfParagraph& paragraph : readRtf(lines))
        if (!paragraph.runs.empty()) paragraphs.push_back(std::move(paragraph));
    return paragraphs;
}

bool isHighlight(const RtfRun& run) { return run.bold && run.colour == 1; }

std::string shownName(const std::string& name, bool toTerminal) {
    return toTerminal ? terminalName(name) : name;
}

class TextWriter final : public ResultWriter {
public:
    TextWriter(std::FILE* out, bool colour, bool toTerminal) : out_(out), colour_(colour), toTerminal_(toTerminal) {}

    void file(const MatchedFile& match) override {
        if (match.number > 1) put(out_, "\n");
        put(out_, colour_ ? "\x1b[1;34m" : "");
        put(out_, entryMarker(match.number) + shownName(match.path, toTerminal_) + "   [" + match.dateText + "]");
        put(out_, colour_ ? "\x1b[0m\n" : "\n");
        for (const RtfParagraph& line : hitLines(match.lines)) {
            for (const RtfRun& run : line.runs) {
                const bool hit = colour_ && isHighlight(run);
                put(out_, hit ? "\x1b[1;31m" : "");
                put(out_, run.text);
                put(out_, hit ? "\x1b[0m" : "");
            }
            put(out_, "\n");
        }
        if (match.tooManyHits) put(out_, std::string(kTooManyHitsNote) + "\n");
    }

private:
    std::FILE* out_;
    bool colour_;
    bool toTerminal_;
};

class PathsWriter final : public ResultWriter {
public:
    PathsWriter(std::FILE* out, WriterStyle style) : out_(out), style_(style) {}
    void file(const MatchedFile& match) override {
        if (style_.nulSeparated) {
            put(out_, match.path);
            put(out_, std::string_view("\0", 1));
        } else {
            put(out_, shownName(match.path, style_.toTerminal) + "\n");
        }
    }

private:
    std::FILE* out_;
    WriterStyle style_;
};

// One document with what the window's result pane holds after the run.
class RtfWriter final : public ResultWriter {
public:
    explicit RtfWriter(std::FILE* out) : out_(out) { put(out_, kResultHeader); }

    void file(const MatchedFile& match) override {
        FileEntry entry;
        entry.fileCount = match.number;
        entry.heading = headingText(match.path, match.dateText);
        entry.lines = match.lines;
        entry.nameAndText = match.nameAndText;
        entry.tooManyHits = match.tooManyHits;
        put(out_, fileEntryBody(entry));
    }

    void finish() override { put(out_, "}\n"); }

private:
    std::FILE* out_;
};

// JSON strings must be valid UTF-8: bytes that are not become the escapes
// \udc80 to \udcff, the same stand-ins the RTF uses.
std::string jsonString(std::string_view bytes) {
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const Utf8Sequence sequence = decodeUtf8(bytes, i);
        char escape[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || sequence.length == 0) {
            std::snprintf(escape, sizeof escape, c < 0x20 ? "\\u%04x" : "\\udc%02x", c);
            out += escape;
        } else {
            out.append(bytes.substr(i, sequence.length));
            i += sequence.length;
            continue;
        }
        ++i;
    }
    out += '"';
    return out;
}

bool isUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = decodeUtf8(bytes, i).length;
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string base64(std::string_view bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[value >> 18 & 63];
        out += kDigits[value >> 12 & 63];
        out += i + 1 < bytes.size() ? kDigits[value >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[value & 63] : '=';
    }
    return out;
}

class JsonWriter final : public ResultWriter {
public:
    explicit JsonWriter(std::FILE* out) : out_(out) {}

    void file(const MatchedFile& match) override {
        std::string json = "{\"number\":" + std::to_string(match.number) +
                           // As ripgrep writes a path: a name that is not UTF-8 comes as
                           // its exact bytes, which a JSON string cannot carry.
                           ",\"path\":" + (isUtf8(match.path) ? "{\"text\":" + jsonString(match.path) + "}"
                                                              : "{\"bytes\":\"" + base64(match.path) + "\"}") +
                           ",\"modified\":" + jsonString(isoTime(match.modified)) + ",\"lines\":[";
        bool firstLine = true;
        for (const RtfParagraph& line : hitLines(match.lines)) {
            std::string text;
            std::string hits;
            for (const RtfRun& run : line.runs) {
                if (isHighlight(run)) {
                    if (!hits.empty()) hits += ',';
                    hits += "[" + std::to_string(text.size()) + "," + std::to_string(text.size() + run.text.size()) + "]";
                }
                text += run.text;
            }
            json += (firstLine ? "" : ",");
            json += "{\"text\":" + jsonString(text) + ",\"hits\":[" + hits + "]}";
            firstLine = false;
        }
        json += "],\"tooManyHits\":";
        json += match.tooManyHits ? "true" : "false";
        json += "}\n";
        put(out_, json);
    }

    // The last line: one object of another shape, that a reader tells by its key.
    void summary(const Summary& run) override {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.3f", run.seconds);
        put(out_, "{\"summary\":{\"searched\":" + std::to_string(run.searched) + ",\"matched\":" +
                      std::to_string(run.matched) + ",\"passedOver\":" + std::to_string(run.passedOver) +
                      ",\"ruledOutByIndex\":" + std::to_string(run.ruledOut) + ",\"seconds\":" + seconds + "}}\n");
    }

private:
    static std::string isoTime(std::time_t when) {
        std::tm local{};
        localtime_r(&when, &local);
        char buffer[32];
        std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &local);
        return buffer;
    }

    std::FILE* out_;
};

}  // namespace

std::string dateText(std::time_t modified) {
    std::tm local{};
    localtime_r(&modified, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return buffer;
}

std::unique_ptr<ResultWriter> makeResultWriter(OutputFormat format, std::FILE* out, WriterStyle style) {
    switch (format) {
    case OutputFormat::Paths: return std::make_unique<PathsWriter>(out, style);
    case OutputFormat::Rtf: return std::make_unique<RtfWriter>(out);
    case OutputFormat::Json: return std::make_unique<JsonWriter>(out);
    case OutputFormat::Text: break;
    }
    return std::make_unique<TextWriter>(out, style.colour, style.toTerminal);
}

}  // namespace tessaly::cli
