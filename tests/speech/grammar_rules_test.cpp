#include "speech/grammar_rules.h"

#include "speech/xml_text.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

pugi::xml_document parse(const std::string& xml) {
    pugi::xml_document doc;
    EXPECT_TRUE(parseXml(doc, xml, "test").ok());
    return doc;
}

TEST(GrammarRules, PlainAlternativeBlanksMarksAndTags) {
    const struct {
        std::string text;
        std::string plain;
    } cases[] = {
        {"go pets", "go pets"},  {"+go -pets", " go  pets"}, {"a</P><P>b", "a b"},
        {"a</P>b<P>c", "a b c"}, {"x-ray+", "x ray "},       {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plainAlternative(c.text), c.plain) << c.text;
    }
}

TEST(GrammarRules, PhraseListsHoldOnlyWholePlainAlternatives) {
    const auto doc = parse("<GRAMMAR><Grammar><RULE NAME=\"r\"><L><P>+go -pets</P><P>go cats</P>"
                           "<P>x-ray</P></L></RULE><L><P>deep <O>one</O></P></L></Grammar>"
                           "</GRAMMAR>");
    EXPECT_FALSE(phraseListsHold(doc, "go pets"));
    EXPECT_TRUE(phraseListsHold(doc, "go cats"));
    EXPECT_TRUE(phraseListsHold(doc, "x ray"));
    EXPECT_TRUE(phraseListsHold(doc, "deep one"));
    EXPECT_FALSE(phraseListsHold(doc, "go"));
    EXPECT_FALSE(phraseListsHold(doc, "Go Cats"));
}

TEST(GrammarRules, FindNamedRuleSkipsChildrenWithoutName) {
    const auto doc = parse("<Grammar><!-- note --><DEFINE><ID NAME=\"x\" VAL=\"1\"/></DEFINE>"
                           "<RULE ID=\"5\"><P>go pets</P></RULE>"
                           "<RULE NAME=\"go pets\" TOPLEVEL=\"ACTIVE\"><P>go pets</P></RULE>"
                           "<RULE NAME=\"go pets\"><P>second</P></RULE></Grammar>");
    const pugi::xml_node grammar = doc.child("Grammar");
    const pugi::xml_node rule = findNamedRule(grammar, "go pets");
    ASSERT_TRUE(rule);
    EXPECT_STREQ(rule.attribute("TOPLEVEL").value(), "ACTIVE");
    EXPECT_FALSE(findNamedRule(grammar, "Go Pets"));
    EXPECT_FALSE(findNamedRule(grammar, "go"));
}

TEST(GrammarRules, CustomRuleShape) {
    pugi::xml_document doc = parse("<Grammar/>");
    pugi::xml_node grammar = doc.child("Grammar");
    appendCustomRule(grammar, "open notes");
    const pugi::xml_node rule = grammar.child("RULE");
    EXPECT_STREQ(rule.attribute("NAME").value(), "open notes");
    EXPECT_STREQ(rule.attribute("TOPLEVEL").value(), "ACTIVE");
    EXPECT_STREQ(rule.child("P").text().get(), "open notes");
    EXPECT_TRUE(isCustomRule(rule, "open notes"));
    EXPECT_FALSE(isCustomRule(rule, "open"));

    const auto other = parse("<Grammar><RULE NAME=\"a\"><L><P>a</P></L></RULE>"
                             "<RULE NAME=\"b\"><P>b</P><P>c</P></RULE></Grammar>");
    EXPECT_FALSE(isCustomRule(other.child("Grammar").first_child(), "a"));
    EXPECT_FALSE(isCustomRule(other.child("Grammar").last_child(), "b"));
}

} // namespace
} // namespace kelvo
