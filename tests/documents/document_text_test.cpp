#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "document_files.h"
#include "documents/document_reading.h"
#include "documents/document_text.h"
#include "documents/zip_archive.h"

namespace tessaly {
namespace {

using test::DocumentFile;
using test::pdfBytes;
using test::zipBytes;

DocumentText textOf(const std::string& bytes, std::size_t limit = std::size_t{256} << 20) {
    const DocumentFile file(bytes);
    return documentText(file.fd(), documentKindOf(std::string_view(bytes).substr(0, 65536)), limit);
}

std::string openDocument(const std::string& type, const std::string& body) {
    return zipBytes({{"mimetype", "application/vnd.oasis.opendocument." + type},
                     {"content.xml",
                      "<?xml version=\"1.0\"?><office:document-content xmlns:office=\"o\" xmlns:text=\"t\" "
                      "xmlns:table=\"b\" xmlns:draw=\"d\"><office:body>" +
                          body + "</office:body></office:document-content>"}});
}

std::string word(const std::string& body, const std::string& footnotes = "") {
    test::ZipEntries entries{{"[Content_Types].xml", "<Types/>"},
                             {"word/document.xml", "<w:document xmlns:w=\"w\" xmlns:mc=\"m\"><w:body>" + body +
                                                       "</w:body></w:document>"}};
    if (!footnotes.empty()) entries.emplace_back("word/footnotes.xml", "<w:footnotes xmlns:w=\"w\">" + footnotes + "</w:footnotes>");
    return zipBytes(entries);
}

std::string slide(const std::string& paragraphs) {
    return "<p:sld xmlns:p=\"p\" xmlns:a=\"a\"><p:cSld><p:spTree><p:sp><p:txBody>" + paragraphs +
           "</p:txBody></p:sp></p:spTree></p:cSld></p:sld>";
}

std::string book(const test::ZipEntries& chapters, const std::string& spine) {
    test::ZipEntries entries{
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml",
         "<container xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles>"
         "<rootfile full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/>"
         "</rootfiles></container>"},
        {"OEBPS/content.opf",
         "<package xmlns=\"http://www.idpf.org/2007/opf\"><manifest>"
         "<item id=\"one\" href=\"Text/chapter%201.xhtml\" media-type=\"application/xhtml+xml\"/>"
         "<item id=\"two\" href=\"Text/../Text/two.xhtml\" media-type=\"application/xhtml+xml\"/>"
         "<item id=\"css\" href=\"style.css\" media-type=\"text/css\"/>"
         "</manifest><spine>" + spine + "</spine></package>"}};
    entries.insert(entries.end(), chapters.begin(), chapters.end());
    return zipBytes(entries);
}

std::string page(const std::string& body) {
    return "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>Title</title><style>p {}</style></head><body>" +
           body + "</body></html>";
}

const std::string kWorkbook = "<workbook xmlns:r=\"r\"><sheets><sheet name=\"B\" sheetId=\"2\" r:id=\"rId2\"/>"
                              "<sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const std::string kWorkbookRelationships =
    "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Target=\"/xl/worksheets/sheet2.xml\"/></Relationships>";

TEST(DocumentText, EachFamilyInReadingOrder) {
    const struct {
        const char* name;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"pdf, a blank line between pages", pdfBytes({"Hello world", "Second page"}), "Hello world\n\nSecond page\n"},
        // Bytes that are not UTF-8 would pass for a UTF-16 byte-order mark at the text's start.
        {"docx, stray bytes", word("<w:p><w:r><w:t>\xFF\xFEword</w:t></w:r></w:p>"), "\uFFFD\uFFFDword\n"},
        {"odt",
         openDocument("text",
                      "<office:text><text:h>Big   heading</text:h>"
                      "<text:p>One<text:tab/>two<text:s text:c=\"3\"/>three<text:line-break/>four &amp; "
                      "<text:span>five</text:span></text:p><text:p/>"
                      "<table:table><table:table-row><table:table-cell><text:p>a1</text:p></table:table-cell>"
                      "<table:table-cell><text:p>b1</text:p></table:table-cell></table:table-row>"
                      "<table:table-row><table:table-cell><text:p>a2</text:p><text:p>more</text:p>"
                      "</table:table-cell></table:table-row></table:table>"
                      "<text:tracked-changes><text:p>deleted</text:p></text:tracked-changes>"
                      "<text:p>End</text:p></office:text>"),
         "Big heading\nOne\ttwo   three\nfour & five\na1\tb1\na2 more\nEnd\n"},
        {"ods, a blank line between sheets",
         openDocument("spreadsheet",
                      "<office:spreadsheet><table:table><table:table-row><table:table-cell><text:p>1</text:p>"
                      "</table:table-cell><table:table-cell/><table:table-cell><text:p>x</text:p></table:table-cell>"
                      "</table:table-row></table:table><table:table><table:table-row><table:table-cell>"
                      "<text:p>Sheet two</text:p></table:table-cell></table:table-row></table:table>"
                      "</office:spreadsheet>"),
         "1\tx\n\nSheet two\n"},
        {"odp, a blank line between slides",
         openDocument("presentation",
                      "<office:presentation><draw:page><draw:frame><draw:text-box><text:p>Title</text:p>"
                      "<text:p>Point</text:p></draw:text-box></draw:frame></draw:page><draw:page><draw:frame>"
                      "<draw:text-box><text:p>Next</text:p></draw:text-box></draw:frame></draw:page>"
                      "</office:presentation>"),
         "Title\nPoint\n\nNext\n"},
        {"docx, then its footnotes",
         word("<w:p><w:pPr><w:tabs><w:tab w:val=\"left\"/></w:tabs></w:pPr><w:r><w:t>Hello</w:t></w:r>"
              "<w:r><w:tab/><w:t xml:space=\"preserve\">big </w:t></w:r><w:r><w:instrText> PAGE </w:instrText>"
              "</w:r><w:r><w:t>world</w:t><w:br/><w:t>line</w:t><w:br/></w:r></w:p>"
              "<w:p><w:r><mc:AlternateContent><mc:Choice><w:t>chosen</w:t></mc:Choice>"
              "<mc:Fallback><w:t>fallback</w:t></mc:Fallback></mc:AlternateContent></w:r></w:p>"
              "<w:p><w:r><w:delText>deleted</w:delText></w:r></w:p>",
              "<w:footnote w:type=\"separator\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
              "<w:footnote><w:p><w:r><w:t>A note</w:t></w:r></w:p></w:footnote>"),
         "Hello\tbig world\nline\nchosen\n\nA note\n"},
        {"xlsx, sheets in the workbook's order",
         zipBytes({{"[Content_Types].xml", "<Types/>"},
                   {"xl/workbook.xml", kWorkbook},
                   {"xl/_rels/workbook.xml.rels", kWorkbookRelationships},
                   {"xl/sharedStrings.xml", "<sst><si><t>Name</t></si><si><r><t>Rich </t></r><r><t>text</t></r>"
                                            "<rPh><t>reading</t></rPh></si></sst>"},
                   {"xl/worksheets/sheet1.xml", "<worksheet><sheetData><row><c t=\"s\"><v>1</v></c></row>"
                                                "</sheetData></worksheet>"},
                   {"xl/worksheets/sheet2.xml",
                    "<x:worksheet xmlns:x=\"x\"><x:sheetData><x:row><x:c t=\"s\"><x:v>0</x:v></x:c><x:c><x:v>42.5"
                    "</x:v></x:c><x:c t=\"inlineStr\"><x:is><x:t>inline</x:t></x:is></x:c></x:row><x:row><x:c "
                    "t=\"b\"><x:v>1</x:v></x:c><x:c t=\"str\"><x:f>A1</x:f><x:v>Name</x:v></x:c><x:c t=\"s\">"
                    "<x:v>99</x:v></x:c></x:row></x:sheetData></x:worksheet>"}}),
         "Name\t42.5\tinline\nTRUE\tName\n\nRich text\n"},
        {"pptx, slides by number",
         zipBytes({{"[Content_Types].xml", "<Types/>"},
                   {"ppt/presentation.xml", "<p:presentation xmlns:p=\"p\"/>"},
                   {"ppt/slides/slide10.xml", slide("<a:p><a:r><a:t>Ten</a:t></a:r></a:p>")},
                   {"ppt/slides/slide2.xml", slide("<a:p><a:r><a:t>Two</a:t></a:r><a:br/><a:r><a:t>lines</a:t>"
                                                   "</a:r></a:p>")},
                   {"ppt/slides/slide1.xml", slide("<a:p><a:r><a:t>One</a:t></a:r></a:p><a:p><a:r><a:t>and\tmore"
                                                   "</a:t></a:r></a:p>")},
                   {"ppt/notesSlides/notesSlide1.xml", slide("<a:p><a:r><a:t>Say hello</a:t></a:r></a:p>")}}),
         "One\nand\tmore\n\nTwo\nlines\n\nTen\n\nSay hello\n"},
        {"docx: comments, headers and footers after the body",
         zipBytes({{"[Content_Types].xml", "<Types/>"},
                   {"word/document.xml", "<w:document xmlns:w=\"w\"><w:body><w:p><w:r><w:t>Body</w:t></w:r></w:p>"
                                         "</w:body></w:document>"},
                   {"word/footer1.xml", "<w:ftr xmlns:w=\"w\"><w:p><w:r><w:t>Foot</w:t></w:r></w:p></w:ftr>"},
                   {"word/header2.xml", "<w:hdr xmlns:w=\"w\"><w:p><w:r><w:t>Head two</w:t></w:r></w:p></w:hdr>"},
                   {"word/header1.xml", "<w:hdr xmlns:w=\"w\"><w:p><w:r><w:t>Head one</w:t></w:r></w:p></w:hdr>"},
                   {"word/comments.xml", "<w:comments xmlns:w=\"w\"><w:comment><w:p><w:r><w:t>A remark</w:t>"
                                         "</w:r></w:p></w:comment></w:comments>"}}),
         "Body\n\nA remark\n\nHead one\n\nHead two\n\nFoot\n"},
        {"epub, chapters in spine order",
         book({{"OEBPS/Text/chapter 1.xhtml", page("<p>First <![CDATA[raw <b>]]></p><!-- a comment -->")},
               {"OEBPS/Text/two.xhtml",
                page("<h1>Chapter\n   Two</h1><p>caf&eacute; &amp; more&nbsp;text</p><script>var x;</script>"
                     "<p>line<br/>\n next</p><pre>  keep   this</pre>")}},
              "<itemref idref=\"two\"/><itemref idref=\"css\"/><itemref idref=\"one\"/>"),
         "Chapter Two\ncaf\xC3\xA9 & more\xC2\xA0text\nline\nnext\n  keep   this\n\nFirst raw <b>\n"},
    };
    for (const auto& c : cases) {
        const auto got = textOf(c.bytes);
        EXPECT_EQ(got.text, c.text) << c.name;
        EXPECT_EQ(got.problem, "") << c.name;
    }
}

std::string truncated(const std::string& bytes) { return bytes.substr(0, bytes.size() / 2); }

TEST(DocumentText, DamagedAndEncryptedSayWhy) {
    const std::string odt = openDocument("text", "<office:text><text:p>Fine</text:p></office:text>");
    const struct {
        const char* name;
        std::string bytes;
        std::string text;
        std::string problem;
    } cases[] = {
        {"pdf: garbage after the header", "%PDF-1.4\n" + std::string(200, '#'), "", "it is damaged"},
        {"pdf: locked by a password", pdfBytes({"Secret"}, true), "", "it is encrypted"},
        {"odt: cut in half", truncated(odt), "", "it is damaged"},
        {"odt: no content", zipBytes({{"mimetype", "application/vnd.oasis.opendocument.text"}}), "", "it is damaged"},
        {"odt: content encrypted",
         zipBytes({{"mimetype", "application/vnd.oasis.opendocument.text"},
                   {"META-INF/manifest.xml",
                    "<manifest:manifest xmlns:manifest=\"m\"><manifest:file-entry manifest:full-path=\"content.xml\">"
                    "<manifest:encryption-data/></manifest:file-entry></manifest:manifest>"},
                   {"content.xml", "\x93\x11garbage"}}),
         "", "it is encrypted"},
        {"odt: XML broken off after its text is still read",
         zipBytes({{"mimetype", "application/vnd.oasis.opendocument.text"},
                   {"content.xml", "<office:document-content><office:body><text:p>Kept</text:p><text:p>Half"}}),
         "Kept\nHalf\n", ""},
        {"docx: no document part", zipBytes({{"[Content_Types].xml", "<Types/>"}, {"word/styles.xml", "<w/>"}}), "",
         "it is damaged"},
        {"docx: document is not XML",
         zipBytes({{"[Content_Types].xml", "<Types/>"}, {"word/document.xml", "not XML at all"}}), "",
         "it is damaged"},
        {"docx: its document part encrypted",
         zipBytes({{"[Content_Types].xml", "<Types/>"}, {"word/document.xml", "<w:t>secret</w:t>"}},
                  "word/document.xml"),
         "", "it is encrypted"},
        {"xlsx: cut in half",
         truncated(zipBytes({{"[Content_Types].xml", "<Types/>"}, {"xl/workbook.xml", kWorkbook}})), "",
         "it is damaged"},
        {"pptx: slide is garbage",
         zipBytes({{"ppt/slides/slide1.xml", "<<<< >>>> &&&"}}), "", "it is damaged"},
        {"epub: no container", zipBytes({{"mimetype", "application/epub+zip"}, {"OEBPS/a.xhtml", page("x")}}), "",
         "it is damaged"},
        {"not a document", "plain text", "", "it is not a document"},
    };
    for (const auto& c : cases) {
        const auto got = textOf(c.bytes);
        EXPECT_EQ(got.text, c.text) << c.name;
        EXPECT_EQ(got.problem, c.problem) << c.name;
    }
}

TEST(DocumentText, StopsAtItsLimit) {
    std::string words;
    for (int i = 0; i < 300000; ++i) words += "w\xC3\xA9rd ";  // 1.8 MB of text from a zip of a few KB
    const auto got = textOf(openDocument("text", "<office:text><text:p>" + words + "</text:p></office:text>"),
                            std::size_t{1} << 20);
    EXPECT_EQ(got.problem, "its text is larger than 1 MB");
    EXPECT_LE(got.text.size(), (std::size_t{1} << 20) + 1);
    EXPECT_GT(got.text.size(), (std::size_t{1} << 20) - 8);
    EXPECT_NE(got.text.substr(got.text.size() - 8).find("w\xC3\xA9"), std::string::npos)
        << "a character is never cut in two";

    std::string strings;
    for (int i = 0; i < 2000; ++i) strings += "<si/>";
    const auto workbook = textOf(zipBytes({{"[Content_Types].xml", "<Types/>"},
                                           {"xl/workbook.xml", kWorkbook},
                                           {"xl/sharedStrings.xml", "<sst>" + strings + "</sst>"}}),
                                 1024);
    EXPECT_EQ(workbook.problem, "its text is larger than 1 KB") << "shared strings are held, so they count";

    const auto pages = textOf(pdfBytes({"First page", "Second page"}), 12);
    EXPECT_EQ(pages.problem, "its text is larger than 12 bytes");
    EXPECT_EQ(pages.text, "First page\n\n");
}

TEST(DocumentText, APdfIsReadAPageAtATimeToTheSameText) {
    const std::string bytes = pdfBytes({"First page", "Second page", "Third page"});
    const DocumentFile file(bytes);
    DocumentReading reading(file.fd(), DocumentKind::pdf);
    ASSERT_TRUE(reading.readMore());
    EXPECT_EQ(reading.text(), "First page") << "the next page is not read yet";
    while (reading.readMore()) {
    }
    EXPECT_EQ(reading.text(), textOf(bytes).text);
    EXPECT_EQ(reading.problem(), "");

    const DocumentFile locked(pdfBytes({"Secret"}, true));
    DocumentReading refused(locked.fd(), DocumentKind::pdf);
    EXPECT_FALSE(refused.readMore());
    EXPECT_EQ(refused.problem(), "it is encrypted");
}

TEST(DocumentText, AnArchiveInflatesOnlyAsFarAsAllowed) {
    const DocumentFile file(zipBytes({{"big.xml", std::string(100000, ' ')}}));
    ZipArchive archive(file.fd(), 50000);
    std::size_t seen = 0;
    EXPECT_EQ(archive.read("big.xml", [&](std::string_view bytes) { return seen += bytes.size(), true; }),
              EntryRead::tooLarge);
    EXPECT_LE(seen, 50000u);
}

// A crafted package names one part thousands of times, or lists more than a
// document ever does: the part is read once, and lists past the budget (four
// times the text limit here) make the document damaged, never gigabytes.
TEST(DocumentText, APackageThatNamesMuchIsNeverHeldOrReadOverAndOver) {
    std::string sheets, target(2000, 'a');
    for (int sheet = 1; sheet <= 3000; ++sheet)
        sheets += "<sheet name=\"s" + std::to_string(sheet) + "\" r:id=\"one\"/>";
    const std::string shared = zipBytes({
        {"[Content_Types].xml", "<Types/>"},
        {"xl/workbook.xml", "<workbook xmlns:r=\"r\"><sheets>" + sheets + "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"one\" Target=\"worksheets/" + target + ".xml\"/></Relationships>"},
        {"xl/worksheets/" + target + ".xml",
         "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>once</t></is></c></row></sheetData></worksheet>"},
    });
    EXPECT_EQ(textOf(shared).text, "once\n");

    const auto bookOf = [&](int styleSheets) {
        std::string items = "<item id=\"c\" href=\"c.xhtml\" media-type=\"application/xhtml+xml\"/>";
        for (int item = 0; item < styleSheets; ++item)
            items += "<item id=\"i" + std::to_string(item) + "\" href=\"" + target + "\" media-type=\"text/css\"/>";
        return zipBytes({
            {"mimetype", "application/epub+zip"},
            {"META-INF/container.xml", "<container><rootfiles><rootfile full-path=\"p.opf\"/></rootfiles></container>"},
            {"p.opf", "<package><manifest>" + items + "</manifest><spine><itemref idref=\"c\"/></spine></package>"},
            {"c.xhtml", "<html><body><p>chapter</p></body></html>"},
        });
    };
    EXPECT_EQ(textOf(bookOf(10), 100'000).text, "chapter\n");
    EXPECT_EQ(textOf(bookOf(300), 100'000).problem, "it is damaged");
}

TEST(DocumentText, LeavesTheCallersFileAsItWas) {
    const DocumentFile file(word("<w:p><w:r><w:t>Hi</w:t></w:r></w:p>"));
    ASSERT_EQ(lseek(file.fd(), 7, SEEK_SET), 7);
    EXPECT_EQ(documentText(file.fd(), DocumentKind::officeOpenXml).text, "Hi\n");
    EXPECT_EQ(lseek(file.fd(), 0, SEEK_CUR), 7);
    EXPECT_EQ(documentText(file.fd(), DocumentKind::officeOpenXml).text, "Hi\n") << "and can be read again";
}

TEST(DocumentText, TwoThreadsReadDifferentDocumentsAtOnce) {
    const std::string first = pdfBytes({"Alpha page", "Beta page"});
    const std::string second = pdfBytes({"Gamma"});
    const std::string third = word("<w:p><w:r><w:t>Delta</w:t></w:r></w:p>");
    const auto reader = [](const std::string& bytes, const std::string& expected, bool& allSame) {
        for (int round = 0; round < 20; ++round)
            if (textOf(bytes).text != expected) allSame = false;
    };
    bool firstSame = true, secondSame = true, thirdSame = true;
    std::thread one(reader, std::cref(first), "Alpha page\n\nBeta page\n", std::ref(firstSame));
    std::thread two(reader, std::cref(second), "Gamma\n", std::ref(secondSame));
    reader(third, "Delta\n", thirdSame);
    one.join();
    two.join();
    EXPECT_TRUE(firstSame);
    EXPECT_TRUE(secondSame);
    EXPECT_TRUE(thirdSame);
}

}  // namespace
}  // namespace tessaly
