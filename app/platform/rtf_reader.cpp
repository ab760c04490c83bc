#include "platform/rtf_reader.h"

#include <cstdint>

#include "platform/rtf_escape.h"

namespace tessaly {

namespace {

// Windows-1252 from 0x80 to 0x9F; the rest of the upper half is Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t fromWindows1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t{byte};
}

struct CharacterState : RtfStyle {
    bool skipped = false;  // inside a table or other destination that shows nothing
};

constexpr std::size_t kMaxDepth = 256;

class Reader {
public:
    Reader(std::string_view rtf, RtfReceiver& receiver) : rtf_(rtf), receiver_(receiver) {}

    void read() {
        while (pos_ < rtf_.size()) {
            const char c = rtf_[pos_];
            if (c == '{') {
                ++pos_;
                groupStarts_ = true;
                if (stack_.size() < kMaxDepth) stack_.push_back(state_);
                else ++overflow_;
                continue;
            }
            if (c == '}') {
                ++pos_;
                groupStarts_ = false;
                flush();
                if (overflow_ > 0) --overflow_;
                else if (!stack_.empty()) state_ = stack_.back(), stack_.pop_back();
                continue;
            }
            if (c == '\\') {
                controlWord();
                groupStarts_ = false;
                continue;
            }
            groupStarts_ = false;
            if (c == '\r' || c == '\n') {
                ++pos_;
                continue;
            }
            plainCharacters();
        }
        flush();
    }

private:
    // Text between control words and braces, most of a document: taken in
    // one go while it is ASCII.
    void plainCharacters() {
        std::size_t end = pos_;
        while (end < rtf_.size()) {
            const auto c = static_cast<unsigned char>(rtf_[end]);
            if (c >= 0x80 || c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n') break;
            ++end;
        }
        if (end == pos_) {
            character(fromWindows1252(static_cast<unsigned char>(rtf_[pos_++])));
            return;
        }
        if (!state_.skipped) {
            if (!pending_.empty() && !sameStyle()) flush();
            if (pending_.empty()) pendingState_ = state_;
            pending_.append(rtf_.begin() + static_cast<std::ptrdiff_t>(pos_),
                            rtf_.begin() + static_cast<std::ptrdiff_t>(end));
        }
        pos_ = end;
    }

    void character(char16_t unit) {
        if (state_.skipped) return;
        if (!pending_.empty() && !sameStyle()) flush();
        if (pending_.empty()) pendingState_ = state_;
        pending_ += unit;
    }

    bool sameStyle() const { return static_cast<const RtfStyle&>(pendingState_) == state_; }

    void flush() {
        if (pending_.empty()) return;
        receiver_.text(pending_, pendingState_);
        pending_.clear();
    }

    void endParagraph() {
        flush();
        receiver_.paragraphEnd();
    }

    void controlWord() {
        ++pos_;  // the backslash
        if (pos_ >= rtf_.size()) return;
        const char first = rtf_[pos_];
        if (!isLetter(first)) {
            ++pos_;
            if (first == '\\' || first == '{' || first == '}') character(static_cast<unsigned char>(first));
            else if (first == '\'') hexByte();
            else if (first == '*') state_.skipped = true;
            else if (first == '~') character(0x00A0);
            return;
        }
        const std::size_t wordStart = pos_;
        while (pos_ < rtf_.size() && isLetter(rtf_[pos_])) ++pos_;
        const std::string_view word = rtf_.substr(wordStart, pos_ - wordStart);
        bool hasNumber = false;
        long long number = 0;
        bool negative = false;
        if (pos_ < rtf_.size() && rtf_[pos_] == '-') negative = true, ++pos_;
        while (pos_ < rtf_.size() && rtf_[pos_] >= '0' && rtf_[pos_] <= '9') {
            hasNumber = true;
            if (number < 1000000) number = number * 10 + (rtf_[pos_] - '0');
            ++pos_;
        }
        if (negative) number = -number;
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;
        apply(word, hasNumber, number);
    }

    void apply(std::string_view word, bool hasNumber, long long number) {
        const bool destination = groupStarts_;
        if (word == "b") state_.bold = !hasNumber || number != 0;
        else if (word == "cf") state_.colour = static_cast<int>(number);
        else if (word == "fs") state_.fontSize = static_cast<int>(number);
        else if (word == "plain") state_.bold = false, state_.colour = 0, state_.fontSize = 24;
        else if (word == "par") endParagraph();
        else if (word == "line") character('\n');
        else if (word == "tab") character('\t');
        else if (word == "u") unicode(number);
        else if (destination && (word == "fonttbl" || word == "colortbl" || word == "stylesheet" ||
                                 word == "info" || word == "pict"))
            state_.skipped = true;
    }

    void unicode(long long number) {
        character(static_cast<char16_t>(static_cast<std::int16_t>(number)));
        // The stand-in character that follows for readers without Unicode.
        if (pos_ < rtf_.size() && rtf_[pos_] != '\\' && rtf_[pos_] != '{' && rtf_[pos_] != '}') ++pos_;
    }

    void hexByte() {
        int value = 0;
        for (int i = 0; i < 2 && pos_ < rtf_.size(); ++i, ++pos_) {
            const char h = rtf_[pos_];
            const int digit = h >= '0' && h <= '9' ? h - '0'
                              : h >= 'a' && h <= 'f' ? h - 'a' + 10
                              : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                     : -1;
            if (digit < 0) break;
            value = value * 16 + digit;
        }
        character(fromWindows1252(static_cast<unsigned char>(value)));
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    CharacterState state_;
    std::vector<CharacterState> stack_;
    std::size_t overflow_ = 0;  // groups opened past the depth we keep
    bool groupStarts_ = false;  // the next control word is the group's first
    std::u16string pending_;
    CharacterState pendingState_;
    RtfReceiver& receiver_;
};

// The paragraphs and runs, text in UTF-8.
class ParagraphMaker final : public RtfReceiver {
public:
    ParagraphMaker() { paragraphs_.emplace_back(); }

    void text(std::u16string_view units, const RtfStyle& style) override {
        RtfRun run;
        static_cast<RtfStyle&>(run) = style;
        run.text = bytesFromUtf16(units);
        paragraphs_.back().runs.push_back(std::move(run));
    }
    void paragraphEnd() override { paragraphs_.emplace_back(); }

    std::vector<RtfParagraph> paragraphs() {
        if (paragraphs_.back().runs.empty()) paragraphs_.pop_back();
        return std::move(paragraphs_);
    }

private:
    std::vector<RtfParagraph> paragraphs_;
};

}  // namespace

std::string RtfParagraph::text() const {
    std::string all;
    for (const RtfRun& run : runs) all += run.text;
    return all;
}

void readRtf(std::string_view rtf, RtfReceiver& receiver) { Reader(rtf, receiver).read(); }

std::vector<RtfParagraph> readRtf(std::string_view rtf) {
    ParagraphMaker maker;
    readRtf(rtf, maker);
    return maker.paragraphs();
}

// The reader drops an empty last paragraph, so "text\par" and "text" would
// read alike. A private-use character appended behind the piece shows which
// it was: it lands in a paragraph of its own exactly when the piece ended
// with \par.
std::vector<RtfParagraph> readRtfPiece(std::string_view rtf) {
    constexpr std::string_view kEndMark = "\\u-8192?";  // U+E000
    constexpr std::string_view kEndMarkText = "\xEE\x80\x80";
    std::string marked(rtf);
    marked += kEndMark;
    std::vector<RtfParagraph> paragraphs = readRtf(marked);
    // Inside a destination that was never closed the mark is skipped: then
    // nothing tells and the paragraphs stay as read.
    if (paragraphs.empty() || paragraphs.back().runs.empty()) return paragraphs;
    std::vector<RtfRun>& runs = paragraphs.back().runs;
    std::string& text = runs.back().text;
    if (text.ends_with(kEndMarkText)) {
        text.resize(text.size() - kEndMarkText.size());
        if (text.empty()) runs.pop_back();
    }
    return paragraphs;
}

}  // namespace tessaly
