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

// Parts named prefixN.xml in the order of N: the names sort slide10 before slide2.
std::vector<std::string> numberedParts(const std::vector<std::string>& names, std::string_view prefix) {
    constexpr std::string_view suffix = ".xml";
    std::vector<std::pair<unsigned long, std::string>> parts;
    for (const auto& name : names) {
        const std::string_view view(name);
        if (view.size() <= prefix.size() + suffix.size() || !view.starts_with(prefix) || !view.ends_with(suffix))
            continue;
        const auto digits = view.substr(prefix.size(), view.size() - prefix.size() - suffix.size());
        unsigned long number = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size()) parts.emplace_back(number, name);
    }
    std::sort(parts.begin(), parts.end());
    std::vector<std::string> ordered;
    for (auto& part : parts) ordered.push_back(std::move(part.second));
    return ordered;
}

std::vector<std::string> slidesInOrder(const std::vector<std::string>& names) {
    return numberedParts(names, "ppt/slides/slide");
}

// The body, then what a reader sees beside it: notes, comments, and the
// headers and footers of its pages.
void readWordDocument(PackageText& package) {
    OfficeRunText runs(package.text(), OfficeRunText::Markup::wordprocessing);
    package.readXml("word/document.xml", runs);
    std::vector<std::string> beside{"word/footnotes.xml", "word/endnotes.xml", "word/comments.xml"};
    for (const std::string_view kind : {"word/header", "word/footer"})
        for (auto& part : numberedParts(package.archive().names(), kind)) beside.push_back(std::move(part));
    for (const auto& part : beside) {
        if (package.finished()) break;
        if (!package.archive().contains(part)) continue;
        package.text().breakPage();
        package.readXml(part, runs);
    }
}

// The slides in order, then the speaker's notes.
void readPresentation(PackageText& package) {
    const auto slides = slidesInOrder(package.archive().names());
    if (slides.empty()) package.noteDamaged();
    OfficeRunText runs(package.text(), OfficeRunText::Markup::drawing);
    for (const auto& part : {slides, numberedParts(package.archive().names(), "ppt/notesSlides/notesSlide")}) {
        for (const auto& slide : part) {
            if (package.finished()) break;
            package.readXml(slide, runs);
            package.text().breakPage();
        }
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
