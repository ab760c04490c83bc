#include "documents/spreadsheet_text.h"

#include <charconv>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tessaly {
namespace {

// The strings cells refer to by number. They are held in memory for the
// sheets, so they count against the text's limit like the text itself.
class SharedStrings : public XmlContentHandler {
public:
    explicit SharedStrings(std::size_t limit) : room_(limit) {}

    void startElement(const XmlTag& tag) override {
        const auto name = tag.localName();
        if (name == "si") {
            // An empty string costs its slot: a million <si/> are not free.
            if (room_ < sizeof(std::string)) {
                full = true;
                return;
            }
            room_ -= sizeof(std::string);
            strings.emplace_back();
        }
        if (name == "t") ++texts_;
        if (name == "rPh") ++phonetic_;  // reading aids, not shown in the cell
    }
    void endElement(std::string_view name) override {
        if (name == "t" && texts_ > 0) --texts_;
        if (name == "rPh" && phonetic_ > 0) --phonetic_;
    }
    void text(std::string_view utf8) override {
        if (texts_ == 0 || phonetic_ > 0 || strings.empty()) return;
        if (utf8.size() > room_) {
            full = true;
            return;
        }
        room_ -= utf8.size();
        strings.back().append(utf8);
    }
    bool satisfied() const override { return full; }

    std::vector<std::string> strings;
    bool full = false;

private:
    std::size_t room_;
    std::size_t texts_ = 0;
    std::size_t phonetic_ = 0;
};

// The workbook's <sheet r:id="..."/> in order, and the relationships that
// say which part each id is.
class SheetOrder : public XmlContentHandler {
public:
    explicit SheetOrder(std::size_t budget) : kept(budget) {}

    void startElement(const XmlTag& tag) override {
        // A workbook has no more sheets than its package has parts.
        if (ids.size() + targets.size() >= ZipArchive::kMaxEntries || kept.over()) return;
        if (tag.localName() == "sheet") {
            auto id = tag.attribute("id");
            if (id && kept.take(id->size())) ids.push_back(std::move(*id));
        } else if (tag.localName() == "Relationship") {
            auto id = tag.attribute("Id");
            auto target = tag.attribute("Target");
            if (id && target && kept.take(id->size() + target->size())) targets[*id] = std::move(*target);
        }
    }
    void endElement(std::string_view) override {}
    void text(std::string_view) override {}
    // Past the budget the rest of the list is not even read.
    bool satisfied() const override { return kept.over(); }

    std::vector<std::string> ids;
    std::map<std::string, std::string> targets;
    NamesKept kept;
};

std::string partOfTarget(const std::string& target) {
    if (target.starts_with("/")) return target.substr(1);
    return "xl/" + target;
}

class SheetCells : public TextGathering {
public:
    SheetCells(DocumentTextBuilder& text, const std::vector<std::string>& strings)
        : TextGathering(text), strings_(strings) {}

    void startElement(const XmlTag& tag) override {
        const auto name = tag.localName();
        if (name == "c") {
            type_ = tag.attribute("t").value_or("n");
            value_.clear();
        } else if (name == "v") {
            inValue_ = true;
        } else if (name == "is") {
            inInlineString_ = true;
        } else if (name == "t" && inInlineString_) {
            ++inlineTexts_;
        } else if (name == "rPh") {
            ++phonetic_;
        }
    }

    void endElement(std::string_view name) override {
        if (name == "v") inValue_ = false;
        if (name == "is") inInlineString_ = false;
        if (name == "t" && inlineTexts_ > 0) --inlineTexts_;
        if (name == "rPh" && phonetic_ > 0) --phonetic_;
        if (name == "c") {
            text_.addText(shownValue());
            text_.breakCell();
        }
        if (name == "row") text_.breakParagraph();
    }

    void text(std::string_view utf8) override {
        if (inValue_ && value_.size() + utf8.size() <= kMaxValueSize) value_.append(utf8);
        if (inlineTexts_ > 0 && phonetic_ == 0) text_.addText(utf8);
    }

private:
    // A cell's own value is a number or a formula's result: Excel's longest
    // string is 32,767 characters.
    static constexpr std::size_t kMaxValueSize = 128 * 1024;

    std::string_view shownValue() const {
        if (type_ == "s") {
            std::size_t index = 0;
            const auto [end, error] = std::from_chars(value_.data(), value_.data() + value_.size(), index);
            if (error == std::errc() && index < strings_.size()) return strings_[index];
            return {};
        }
        if (type_ == "b") return value_ == "1" ? "TRUE" : value_ == "0" ? "FALSE" : std::string_view(value_);
        return value_;
    }

    const std::vector<std::string>& strings_;
    std::string type_;
    std::string value_;
    bool inValue_ = false;
    bool inInlineString_ = false;
    std::size_t inlineTexts_ = 0;
    std::size_t phonetic_ = 0;
};

// Sheet parts in the workbook's order; when its relationships are missing,
// the sheets the package holds, by number.
std::vector<std::string> sheetParts(PackageText& package) {
    SheetOrder order(package.namesBudget());
    package.readXml("xl/workbook.xml", order);
    package.readXml("xl/_rels/workbook.xml.rels", order);
    if (order.kept.over()) {
        package.noteDamaged();
        return {};
    }
    // Each part once, however many sheets name it: a crafted workbook of a
    // hundred thousand sheets that share one long target would otherwise
    // hold the target, and read its part, once per sheet.
    std::vector<std::string> parts;
    std::set<std::string> named;
    for (const auto& id : order.ids) {
        const auto target = order.targets.find(id);
        if (target == order.targets.end()) continue;
        std::string part = partOfTarget(target->second);
        if (named.insert(part).second) parts.push_back(std::move(part));
    }
    if (!parts.empty()) return parts;
    for (int number = 1; package.archive().contains("xl/worksheets/sheet" + std::to_string(number) + ".xml");
         ++number)
        parts.push_back("xl/worksheets/sheet" + std::to_string(number) + ".xml");
    return parts;
}

}  // namespace

void readSpreadsheet(PackageText& package) {
    SharedStrings shared(package.text().limit());
    package.readXml("xl/sharedStrings.xml", shared);
    if (shared.full) package.text().markFull();
    const auto parts = sheetParts(package);
    if (parts.empty()) package.noteDamaged();
    SheetCells cells(package.text(), shared.strings);
    for (const auto& part : parts) {
        if (package.finished()) break;
        if (!package.readXml(part, cells)) package.noteDamaged();
        package.text().breakPage();
    }
}

}  // namespace tessaly
