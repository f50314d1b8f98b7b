#include "speech/xml_text.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(XmlText, SafeTextAllowsXmlCharactersOnly) {
    const struct {
        std::string text;
        bool safe;
    } cases[] = {
        {"go pets", true},
        {"tab\there\nnew\rline", true},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", true},
        {"", true},
        {std::string("nul\0x", 5), false},
        {"bell\x07", false},
        {"\xEF\xBF\xBE", false},     // U+FFFE
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xC3", false},             // cut short
        {"\xC0\xAF", false},         // overlong
        {"\xE9t\xE9", false},        // Windows-1252 bytes, not UTF-8
        {"\xF4\x90\x80\x80", false}, // past U+10FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isXmlSafeText(c.text), c.safe) << c.text;
    }
}

TEST(XmlText, WholeTextJoinsAllTextBelow) {
    pugi::xml_document doc;
    ASSERT_TRUE(parseXml(doc, "<RULE><P>go</P><L><P> pets</P><![CDATA[!]]></L></RULE>", "t").ok());
    EXPECT_EQ(wholeText(doc.child("RULE")), "go pets!");
}

TEST(XmlText, ElementsNamedFindsAllInDocumentOrderEvenVeryDeep) {
    std::string xml = "<r><c>1</c>";
    for (int i = 0; i < 20000; ++i) {
        xml += "<n>";
    }
    xml += "<c>2</c>";
    for (int i = 0; i < 20000; ++i) {
        xml += "</n>";
    }
    xml += "<c>3</c></r>";
    pugi::xml_document doc;
    ASSERT_TRUE(parseXml(doc, xml, "t").ok());
    const auto found = elementsNamed(doc, "c");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(wholeText(found[1]), "2");
    EXPECT_EQ(wholeText(doc.child("r")), "123");
    EXPECT_EQ(wholeText(firstElementNamed(doc, "c")), "1");
    EXPECT_FALSE(firstElementNamed(doc, "C"));
}

TEST(XmlText, ParseFailuresNameTheFile) {
    pugi::xml_document doc;
    const Status broken = parseXml(doc, "<a>", "commands.xml");
    ASSERT_FALSE(broken.ok());
    EXPECT_NE(broken.message().find("commands.xml"), std::string::npos);
    EXPECT_FALSE(parseXml(doc, "", "x").ok());
    EXPECT_FALSE(parseXml(doc, "<!-- only -->", "x").ok());
}

TEST(XmlText, LoadDistinguishesAMissingFile) {
    fakes::TempDir dir;
    pugi::xml_document doc;
    const Status missing = loadXmlFile(doc, dir / "none.xml");
    EXPECT_EQ(missing.number(), 53);
    ASSERT_TRUE(writeFileAtomically(dir / "ok.xml", "<a>x</a>").ok());
    ASSERT_TRUE(loadXmlFile(doc, dir / "ok.xml").ok());
    const std::string saved = serializeXml(doc);
    EXPECT_EQ(saved.rfind("<?xml", 0), 0u);
    EXPECT_NE(saved.find("<a>x</a>"), std::string::npos);
}

} // namespace
} // namespace kelvo
