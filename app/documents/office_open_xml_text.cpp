#include "documents/office_open_xml_text.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include "documents/office_run_text.h"
#include "documents/package_text.h"
#include "documents/spreadsheet_text.h"

namespace tessaly {
namespace {

void readWordDocument(PackageText& package) {
    OfficeRunText runs(package.text(), OfficeRunText::Markup::wordprocessing);
    package.readXml("word/document.xml", runs);
    for (const auto notes : {"word/footnotes.xml", "word/endnotes.xml"}) {
        package.text().breakPage();
        package.readXml(notes, runs);
    }
}

// ppt/slides/slideN.xml in the order of N: the names sort slide10 before slide2.
std::vector<std::string> slidesInOrder(const std::vector<std::string>& names) {
    constexpr std::string_view prefix = "ppt/slides/slide", suffix = ".xml";
    std::vector<std::pair<unsigned long, std::string>> slides;
    for (const auto& name : names) {
        const std::string_view view(name);
        if (view.size() <= prefix.size() + suffix.size() || !view.starts_with(prefix) || !view.ends_with(suffix))
            continue;
        const auto digits = view.substr(prefix.size(), view.size() - prefix.size() - suffix.size());
        unsigned long number = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size()) slides.emplace_back(number, name);
    }
    std::sort(slides.begin(), slides.end());
    std::vector<std::string> ordered;
    for (auto& slide : slides) ordered.push_back(std::move(slide.second));
    return ordered;
}

void readPresentation(PackageText& package) {
    const auto slides = slidesInOrder(package.archive().names());
    if (slides.empty()) package.noteDamaged();
    OfficeRunText runs(package.text(), OfficeRunText::Markup::drawing);
    for (const auto& slide : slides) {
        if (package.finished()) break;
        package.readXml(slide, runs);
        package.text().breakPage();
    }
}

}  // namespace

DocumentText officeOpenXmlText(int fd, std::size_t textLimit) {
    PackageText package(fd, textLimit);
    auto& archive = package.archive();
    if (archive.contains("word/document.xml"))
        readWordDocument(package);
    else if (archive.contains("xl/workbook.xml"))
        readSpreadsheet(package);
    else if (archive.contains("ppt/presentation.xml") || !slidesInOrder(archive.names()).empty())
        readPresentation(package);
    else
        package.noteDamaged();
    return package.result();
}

}  // namespace tessaly
