// Documents made to hang or exhaust whatever reads them, each a few KB on
// disk: the kind a Downloads folder may hold.
#pragma once

#include <zlib.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "document_files.h"

namespace tessaly::test {

// A page that draws a form, each of `depth` forms drawing the next four
// times: 4^depth draws for a reader that follows them all. With
// `firstPage`, a page of that text (lines apart at each '\n') comes before it.
inline std::string formChainPdf(const std::string& firstPage = "", int depth = 30) {
    const int textObjects = firstPage.empty() ? 0 : 3;
    const std::string kids = firstPage.empty() ? "3 0 R" : std::to_string(5 + depth) + " 0 R 3 0 R";
    std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>",
                                        "<< /Type /Pages /Kids [" + kids + "] /Count " +
                                            std::to_string(firstPage.empty() ? 1 : 2) + " >>"};
    const auto form = [](int number) { return std::to_string(5 + number); };
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
                      "/Resources << /XObject << /X " + form(0) + " 0 R >> >> >>");
    const std::string draw = "/X Do";
    objects.push_back("<< /Length " + std::to_string(draw.size()) + " >>\nstream\n" + draw + "\nendstream");
    for (int level = 0; level < depth; ++level) {
        const bool last = level + 1 == depth;
        const std::string body = last ? "0 0 1 1 re f" : "/X Do /X Do /X Do /X Do";
        const std::string resources = last ? "" : " /Resources << /XObject << /X " + form(level + 1) + " 0 R >> >>";
        objects.push_back("<< /Type /XObject /Subtype /Form /BBox [0 0 612 792]" + resources + " /Length " +
                          std::to_string(body.size()) + " >>\nstream\n" + body + "\nendstream");
    }
    if (textObjects > 0) {
        // A line of the text to each line of the page: what runs off a page is not its text.
        std::string text = "BT /F1 10 Tf 12 TL 72 750 Td (";
        for (const char c : firstPage) text += c == '\n' ? std::string(") Tj T* (") : std::string(1, c);
        text += ") Tj ET";
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents " +
                          std::to_string(6 + depth) + " 0 R /Resources << /Font << /F1 " + std::to_string(7 + depth) +
                          " 0 R >> >> >>");
        objects.push_back("<< /Length " + std::to_string(text.size()) + " >>\nstream\n" + text + "\nendstream");
        objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    }
    return pdfOfObjects(objects);
}

// A page of `saves` graphics-state saves and no restore: each one copies the
// state, a few hundred bytes, and the file holds them compressed.
inline std::string manyStatesPdf(std::size_t saves) {
    std::string content;
    for (std::size_t i = 0; i < saves; ++i) content += "q\n";
    uLongf packedSize = compressBound(content.size());
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(content.data()), content.size(), 9) != Z_OK)
        throw std::runtime_error("cannot compress");
    packed.resize(packedSize);
    return pdfOfObjects({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R >>",
                         "<< /Length " + std::to_string(packed.size()) + " /Filter /FlateDecode >>\nstream\n" +
                             packed + "\nendstream"});
}

// A word document whose one part inflates to `megabytes` of empty elements.
inline std::string zipBombDocument(std::size_t megabytes) {
    std::string body = "<w:document><w:body>";
    body.reserve(megabytes << 20);
    while (body.size() < (megabytes << 20)) body += "<a/>";
    return zipBytes({{"[Content_Types].xml", "<Types/>"}, {"word/document.xml", body + "</w:body></w:document>"}});
}

}  // namespace tessaly::test
