#include "platform/speech/sphinx_xml_grammar.h"

#include <gtest/gtest.h>

namespace kelvo::speech {
namespace {

using Words = std::vector<std::string>;

XmlGrammar parse(const std::string& xml) {
    Result<XmlGrammar> grammar = parseXmlGrammar(xml);
    EXPECT_TRUE(grammar.ok()) << grammar.error().message();
    return grammar.ok() ? grammar.value() : XmlGrammar{};
}

TEST(SphinxXmlGrammar, PhraseKeepsItsTextAndLowerCasesItsWords) {
    XmlGrammar g = parse(R"(<GRAMMAR LANGID="409">
        <RULE NAME="Open CNN" TOPLEVEL="ACTIVE"><P>Open  CNN</P></RULE>
        <RULE NAME="go pets" TOPLEVEL="ACTIVE"><P>+go -pets</P></RULE>
      </GRAMMAR>)");
    ASSERT_EQ(g.phrases.size(), 2u);
    EXPECT_EQ(g.phrases[0].text, "Open CNN");
    EXPECT_EQ(g.phrases[0].words, (Words{"open", "cnn"}));
    EXPECT_EQ(g.phrases[1].text, "go pets");
    EXPECT_EQ(g.phrases[1].words, (Words{"go", "pets"}));
    EXPECT_EQ(g.rules[1].name, "go pets");
    EXPECT_EQ(g.phrases[1].rule, 1u);
    EXPECT_TRUE(g.problems.empty());
}

TEST(SphinxXmlGrammar, ListsOptionalsAndReferencesExpand) {
    XmlGrammar g = parse(R"(<grammar>
        <rule name="colour"><l><p>red</p><p>dark blue</p></l></rule>
        <Rule Name="paint" TopLevel="ACTIVE">
          <P>paint it <RuleRef NAME="colour"/></P><O>please</O>
        </Rule>
      </grammar>)");
    std::vector<std::string> texts;
    for (const XmlGrammarPhrase& p : g.phrases) {
        texts.push_back(p.text);
        EXPECT_EQ(g.rules[p.rule].name, "paint");
    }
    EXPECT_EQ(texts, (Words{"paint it red please", "paint it red", "paint it dark blue please",
                            "paint it dark blue"}));
    EXPECT_FALSE(g.rules[0].topLevel);
    EXPECT_TRUE(g.rules[1].topLevel);
}

TEST(SphinxXmlGrammar, TopLevelStates) {
    XmlGrammar g = parse(R"(<GRAMMAR>
        <RULE NAME="a" TOPLEVEL="ACTIVE"><P>alpha</P></RULE>
        <RULE NAME="b" TOPLEVEL="INACTIVE"><P>bravo</P></RULE>
        <RULE NAME="c"><P>charlie</P></RULE>
      </GRAMMAR>)");
    ASSERT_EQ(g.rules.size(), 3u);
    EXPECT_TRUE(g.rules[0].topLevel && g.rules[0].initiallyActive);
    EXPECT_TRUE(g.rules[1].topLevel && !g.rules[1].initiallyActive);
    EXPECT_FALSE(g.rules[2].topLevel);
    ASSERT_EQ(g.phrases.size(), 2u); // only top-level rules are heard on their own
    EXPECT_EQ(g.phrases[1].text, "bravo");
}

TEST(SphinxXmlGrammar, ABadRuleIsLeftOutAndReportedTheRestStays) {
    std::string many;
    for (int i = 0; i < 11; ++i) {
        many += "<O>w" + std::to_string(i) + "</O>";
    }
    XmlGrammar g = parse(R"(<GRAMMAR>
        <RULE NAME="ok" TOPLEVEL="ACTIVE"><P>fine</P></RULE>
        <RULE NAME="odd" TOPLEVEL="ACTIVE"><P>say <DICTATION/></P></RULE>
        <RULE NAME="lost" TOPLEVEL="ACTIVE"><RULEREF NAME="nowhere"/></RULE>
        <RULE NAME="huge" TOPLEVEL="ACTIVE"><P>x</P>)" +
                         many + R"(</RULE>
        <RULE NAME="self" TOPLEVEL="ACTIVE"><P>me <RULEREF NAME="self"/></P></RULE>
      </GRAMMAR>)");
    ASSERT_EQ(g.phrases.size(), 1u);
    EXPECT_EQ(g.phrases[0].text, "fine");
    ASSERT_EQ(g.problems.size(), 4u);
    EXPECT_EQ(g.problems[0].rule, "odd");
    EXPECT_NE(g.problems[0].reason.find("DICTATION"), std::string::npos);
    EXPECT_EQ(g.problems[1].rule, "lost");
    EXPECT_EQ(g.problems[2].rule, "huge");
    EXPECT_EQ(g.problems[3].rule, "self");
}

TEST(SphinxXmlGrammar, UnreadableGrammarsFail) {
    EXPECT_FALSE(parseXmlGrammar("<GRAMMAR><RULE>").ok());
    EXPECT_FALSE(parseXmlGrammar("<other/>").ok());
    EXPECT_FALSE(parseXmlGrammar("").ok());
    EXPECT_TRUE(parseXmlGrammar("<GRAMMAR/>").ok());
}

TEST(SphinxXmlGrammar, TextWords) {
    struct Case {
        const char* text;
        Words words;
    };
    const Case cases[] = {
        {"  open   google ", {"open", "google"}},
        {"+go -pets", {"go", "pets"}},
        {"e-mail cnn.com", {"e-mail", "cnn.com"}},
        {"what's up?", {"what's", "up"}},
        {"- + ", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grammarTextWords(c.text), c.words) << c.text;
    }
}

} // namespace
} // namespace kelvo::speech
