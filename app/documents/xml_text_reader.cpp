#include "documents/xml_text_reader.h"

#include "platform/utf8.h"

namespace tessaly {
namespace {

constexpr std::size_t kMaxReferenceSize = 32;
constexpr std::string_view kCommentOpening = "!--";
constexpr std::string_view kCdataOpening = "![CDATA[";

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isXmlSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isXmlSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Attribute values keep what they say: references resolved, and a '&' that
// starts none kept as it is.
std::string resolvedValue(std::string_view raw, EntityNames names) {
    std::string value;
    for (std::size_t at = 0; at < raw.size();) {
        const auto amp = raw.find('&', at);
        value.append(raw.substr(at, amp - at));
        if (amp == std::string_view::npos) break;
        const auto semicolon = raw.find(';', amp);
        const auto reference = semicolon == std::string_view::npos
                                   ? std::nullopt
                                   : characterReference(raw.substr(amp + 1, semicolon - amp - 1), names);
        if (reference) {
            appendUtf8(value, *reference);
            at = semicolon + 1;
        } else {
            value += '&';
            at = amp + 1;
        }
    }
    return value;
}

}  // namespace

std::string_view localNameOf(std::string_view qualifiedName) {
    const auto colon = qualifiedName.find(':');
    return colon == std::string_view::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

std::string_view XmlTag::localName() const { return localNameOf(name_); }

std::optional<std::string> XmlTag::attribute(std::string_view wanted) const {
    const bool qualified = wanted.find(':') != std::string_view::npos;
    std::string_view rest = attributes_;
    while (true) {
        rest = trimmed(rest);
        const auto equals = rest.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        const auto name = trimmed(rest.substr(0, equals));
        rest = trimmed(rest.substr(equals + 1));
        if (rest.empty() || (rest[0] != '"' && rest[0] != '\'')) return std::nullopt;
        const auto close = rest.find(rest[0], 1);
        if (close == std::string_view::npos) return std::nullopt;
        const auto raw = rest.substr(1, close - 1);
        rest.remove_prefix(close + 1);
        if ((qualified ? name : localNameOf(name)) == wanted) return resolvedValue(raw, names_);
    }
}

void XmlTextReader::feed(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size() && !handler_.satisfied()) {
        switch (state_) {
        case State::text:
            takeText(bytes, at);
            break;
        case State::cdata:
            takeCdata(bytes, at);
            break;
        case State::reference:
            takeReference(bytes[at++]);
            break;
        case State::markup:
            takeMarkup(bytes[at++]);
            break;
        case State::tag:
        case State::overlongTag:
            takeTag(bytes[at++]);
            break;
        case State::comment: {
            const char c = bytes[at++];
            if (c == '>' && run_ >= 2) state_ = State::text;
            run_ = c == '-' ? run_ + 1 : 0;
            break;
        }
        case State::instruction: {
            const char c = bytes[at++];
            if (c == '>' && previousWasQuestion_) state_ = State::text;
            previousWasQuestion_ = c == '?';
            break;
        }
        case State::declaration: {
            // An internal subset's declarations are skipped whole: the
            // entities it declares are never expanded.
            const char c = bytes[at++];
            if (quote_ != 0) {
                if (c == quote_) quote_ = 0;
            } else if (c == '"' || c == '\'') {
                quote_ = c;
            } else if (c == '[') {
                ++run_;
            } else if (c == ']' && run_ > 0) {
                --run_;
            } else if (c == '>' && run_ == 0) {
                state_ = State::text;
            }
            break;
        }
        }
    }
}

void XmlTextReader::takeText(std::string_view bytes, std::size_t& at) {
    const auto end = bytes.find_first_of("<&", at);
    const auto text = bytes.substr(at, end - at);
    if (!text.empty()) handler_.text(text);
    if (end == std::string_view::npos) {
        at = bytes.size();
        return;
    }
    state_ = bytes[end] == '<' ? State::markup : State::reference;
    held_.clear();
    at = end + 1;
}

void XmlTextReader::takeReference(char c) {
    if (c == ';') {
        state_ = State::text;
        if (const auto reference = characterReference(held_, names_)) {
            std::string character;
            appendUtf8(character, *reference);
            handler_.text(character);
            return;
        }
        // An entity the document declared itself, or a name we do not know:
        // its text is unknown, and the name is kept rather than lost.
        handler_.text("&" + held_ + ";");
        return;
    }
    if (held_.size() < kMaxReferenceSize && !isXmlSpace(c) && c != '<' && c != '&') {
        held_ += c;
        return;
    }
    // A bare '&': not XML, but common enough in hand-made XHTML to keep.
    damaged_ = true;
    state_ = State::text;
    handler_.text("&" + held_);
    if (c == '<' || c == '&') {
        state_ = c == '<' ? State::markup : State::reference;
        held_.clear();
    } else {
        handler_.text(std::string_view(&c, 1));
    }
}

void XmlTextReader::takeMarkup(char c) {
    held_ += c;
    if (held_ == kCommentOpening) {
        state_ = State::comment, run_ = 0;
    } else if (held_ == kCdataOpening) {
        state_ = State::cdata, run_ = 0;
    } else if (startsWith(kCommentOpening, held_) || startsWith(kCdataOpening, held_)) {
        // Not decided yet.
    } else if (held_[0] == '?') {
        state_ = State::instruction, previousWasQuestion_ = false;
    } else if (held_[0] == '!') {
        state_ = State::declaration, run_ = 0, quote_ = 0;
        if (held_.size() > 1) feed(std::string_view(held_).substr(1));
    } else {
        state_ = State::tag, quote_ = 0;
        held_.pop_back();
        takeTag(c);
    }
}

void XmlTextReader::takeTag(char c) {
    // What is left of a tag too long to hold ends at the first '>': its
    // quotes cannot be trusted to pair up.
    if (state_ == State::overlongTag) {
        if (c == '>') state_ = State::text;
        return;
    }
    if (quote_ != 0) {
        if (c == quote_) quote_ = 0;
    } else if (c == '"' || c == '\'') {
        quote_ = c;
    } else if (c == '>') {
        endTag();
        state_ = State::text;
        return;
    }
    held_ += c;
    if (held_.size() > kMaxTagSize) {
        damaged_ = true;
        state_ = State::overlongTag;
        held_.clear();
        held_.shrink_to_fit();
    }
}

void XmlTextReader::endTag() {
    std::string_view tag = trimmed(held_);
    if (startsWith(tag, "/")) {
        const auto name = trimmed(tag.substr(1));
        if (depth_ == 0 || name.empty()) {
            damaged_ = true;
            return;
        }
        --depth_;
        handler_.endElement(localNameOf(name));
        return;
    }
    const bool empty = !tag.empty() && tag.back() == '/';
    if (empty) tag.remove_suffix(1);
    std::size_t nameEnd = 0;
    while (nameEnd < tag.size() && !isXmlSpace(tag[nameEnd])) ++nameEnd;
    if (nameEnd == 0) {
        damaged_ = true;
        return;
    }
    // Only one root element: a second is damage, but its text still counts.
    if (depth_ == 0 && sawElement_) damaged_ = true;
    sawElement_ = true;
    const XmlTag start(tag.substr(0, nameEnd), tag.substr(nameEnd), names_);
    handler_.startElement(start);
    if (empty)
        handler_.endElement(start.localName());
    else
        ++depth_;
}

void XmlTextReader::heldBracketsAsText(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) handler_.text("]");
}

void XmlTextReader::takeCdata(std::string_view bytes, std::size_t& at) {
    while (at < bytes.size()) {
        const char c = bytes[at];
        if (c == ']') {
            ++run_, ++at;
            continue;
        }
        if (c == '>' && run_ >= 2) {
            heldBracketsAsText(run_ - 2);
            state_ = State::text;
            ++at;
            return;
        }
        heldBracketsAsText(run_);
        run_ = 0;
        const auto end = bytes.find(']', at);
        handler_.text(bytes.substr(at, end - at));
        at = end == std::string_view::npos ? bytes.size() : end;
    }
}

void XmlTextReader::finish() {
    if (state_ == State::reference) handler_.text("&" + held_);
    if (state_ != State::text || depth_ != 0 || !sawElement_) damaged_ = true;
    state_ = State::text;
}

}  // namespace tessaly
