#include "documents/package_text.h"

#include <limits>

#include "documents/byte_size_text.h"

namespace tessaly {
namespace {

// XML is mostly markup: a part may inflate to many times the text it holds,
// but a part that inflates to far more than that is a zip bomb, not a document.
constexpr std::size_t kInflatedPerTextByte = 16;
constexpr std::size_t kLeastInflated = std::size_t{64} << 20;

std::size_t maxInflatedFor(std::size_t textLimit) {
    if (textLimit > std::numeric_limits<std::size_t>::max() / kInflatedPerTextByte)
        return std::numeric_limits<std::size_t>::max();
    return std::max(textLimit * kInflatedPerTextByte, kLeastInflated);
}

}  // namespace

PackageText::PackageText(int fd, std::size_t textLimit)
    : maxInflated_(maxInflatedFor(textLimit)), archive_(fd, maxInflated_), text_(textLimit) {}

bool PackageText::finished() const {
    return text_.full() || inflatedTooMuch_ || !archive_.problem().empty();
}

bool PackageText::readXml(std::string_view name, XmlContentHandler& handler, EntityNames names) {
    if (finished()) return archive_.contains(name);
    XmlTextReader reader(handler, names);
    const auto read = archive_.read(name, [&](std::string_view bytes) {
        reader.feed(bytes);
        return !handler.satisfied();
    });
    switch (read) {
    case EntryRead::missing:
        return false;
    case EntryRead::read:
        reader.finish();
        if (reader.damaged()) damaged_ = true;
        break;
    case EntryRead::encrypted:
        encrypted_ = true;
        break;
    case EntryRead::damaged:
        damaged_ = true;
        break;
    case EntryRead::tooLarge:
        inflatedTooMuch_ = true;
        break;
    case EntryRead::stopped:
        break;
    }
    return true;
}

DocumentText PackageText::result() {
    DocumentText result;
    if (!archive_.problem().empty()) {
        result.problem = archive_.problem();
        return result;
    }
    if (text_.full())
        result.problem = "its text is larger than " + byteSizeText(text_.limit());
    else if (inflatedTooMuch_)
        result.problem = "it unpacks to more than " + byteSizeText(maxInflated_);
    else if (text_.empty() && encrypted_)
        result.problem = "it is encrypted";
    else if (text_.empty() && damaged_)
        result.problem = "it is damaged";
    result.text = text_.take();
    return result;
}

}  // namespace tessaly
