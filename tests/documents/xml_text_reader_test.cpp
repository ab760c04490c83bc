#include <gtest/gtest.h>

#include <string>

#include "documents/xml_text_reader.h"

namespace tessaly {
namespace {

// Writes what the reader reports as one line: [name] for a start, [/name]
// for an end, and text as it is (pieces of one text node run together).
class Trace : public XmlContentHandler {
public:
    void startElement(const XmlTag& tag) override {
        trace += "[" + std::string(tag.localName());
        if (const auto value = tag.attribute("v")) trace += " v=" + *value;
        trace += "]";
    }
    void endElement(std::string_view name) override { trace += "[/" + std::string(name) + "]"; }
    void text(std::string_view utf8) override { trace += utf8; }

    std::string trace;
};

struct Reading {
    std::string trace;
    bool damaged;
};

Reading read(std::string_view xml, std::size_t chunkSize, EntityNames names = EntityNames::xml) {
    Trace trace;
    XmlTextReader reader(trace, names);
    for (std::size_t at = 0; at < xml.size(); at += chunkSize) reader.feed(xml.substr(at, chunkSize));
    reader.finish();
    return {trace.trace, reader.damaged()};
}

TEST(XmlTextReader, ReportsTheSameWhateverTheChunks) {
    const struct {
        const char* name;
        std::string xml;
        std::string trace;
        bool damaged;
    } cases[] = {
        {"elements, prefixes dropped", "<?xml version='1.0'?><w:a><w:b>x</w:b><c/></w:a>", "[a][b]x[/b][c][/c][/a]",
         false},
        {"references", "<a>&amp;&lt;&gt;&quot;&apos;&#65;&#x42;&#x1F600;&#0;</a>",
         "[a]&<>\"'AB\xF0\x9F\x98\x80\xEF\xBF\xBD[/a]", false},
        {"an undeclared entity keeps its name", "<a>x &nbsp; &unknown;</a>", "[a]x &nbsp; &unknown;[/a]", false},
        {"attributes: quotes, '>' inside, references, any prefix",
         "<a x:v='1 &gt; 0' w=\"2\"/><b v=\"a>b\" /><c w='v'/>", "[a v=1 > 0][/a][b v=a>b][/b][c][/c]", true},
        {"CDATA with brackets inside", "<a><![CDATA[x<y>]]z]]]></a>", "[a]x<y>]]z][/a]", false},
        {"comments and instructions are skipped", "<a>1<!-- <b>no</b> -- -->2<?pi ?> ?>3</a>", "[a]12 ?>3[/a]",
         false},
        {"DOCTYPE entities are never expanded",
         "<!DOCTYPE a [<!ENTITY e \"boom\"> <!ELEMENT a (#PCDATA)>]><a>&e;</a>", "[a]&e;[/a]", false},
        {"a bare ampersand stays", "<a>fish & chips &amp</a>", "[a]fish & chips &amp[/a]", true},
        {"unclosed element: text kept", "<a><b>text", "[a][b]text", true},
        {"stray end tag", "<a></a></b>", "[a][/a]", true},
        {"empty tag", "<a><>x</a>", "[a]x[/a]", true},
        {"nothing but text", "just text", "just text", true},
        {"unterminated comment", "<a>x<!-- y", "[a]x", true},
    };
    for (const auto& c : cases) {
        for (const std::size_t chunk : {c.xml.size(), std::size_t{1}, std::size_t{2}, std::size_t{7}}) {
            const auto got = read(c.xml, chunk);
            EXPECT_EQ(got.trace, c.trace) << c.name << ", chunks of " << chunk;
            EXPECT_EQ(got.damaged, c.damaged) << c.name << ", chunks of " << chunk;
        }
    }
}

TEST(XmlTextReader, HtmlNamesOnlyWhenAsked) {
    const std::string xml = "<p>caf&eacute;&nbsp;&mdash;&amp;&bogus;</p>";
    EXPECT_EQ(read(xml, 3, EntityNames::html).trace, "[p]caf\xC3\xA9\xC2\xA0\xE2\x80\x94&&bogus;[/p]");
    EXPECT_EQ(read(xml, 3).trace, "[p]caf&eacute;&nbsp;&mdash;&&bogus;[/p]");
}

TEST(XmlTextReader, AnOverlongTagIsDroppedNotHeld) {
    const std::string huge(XmlTextReader::kMaxTagSize + 10, 'x');
    const auto got = read("<a>1<b " + huge + " \"unpaired>2</a>", 4096);
    EXPECT_EQ(got.trace, "[a]12[/a]");
    EXPECT_TRUE(got.damaged);
}

}  // namespace
}  // namespace tessaly
