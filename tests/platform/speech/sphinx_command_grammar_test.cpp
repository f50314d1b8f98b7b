#include "platform/speech/sphinx_command_grammar.h"

#include "platform/speech/sphinx_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kelvo::speech {
namespace {

/// A dictionary of a few words; records what it was asked to pronounce.
class FakeLexicon : public SphinxLexicon {
public:
    std::set<std::string> known{"open", "google", "mail", "e",  "read",
                                "the",  "news",   "go",   "to", "yahoo"};
    std::map<std::string, std::string> pronounceable{{"kelvo", "K EH L V OW"}};
    std::vector<std::vector<std::string>> asked;
    bool accents = false;

    std::vector<std::string> variants(const std::string& word) override {
        if (!known.count(word)) {
            return {};
        }
        if (word == "read") {
            return {"read", "read(2)"};
        }
        return {word};
    }
    std::map<std::string, std::string> pronounce(const std::vector<std::string>& words) override {
        asked.push_back(words);
        std::map<std::string, std::string> made;
        for (const std::string& w : words) {
            if (pronounceable.count(w)) {
                made[w] = pronounceable[w];
            }
        }
        return made;
    }
    std::vector<std::pair<std::string, std::string>>
    accentVariants(const std::vector<std::string>& words,
                   const std::map<std::string, std::string>& made) override {
        std::vector<std::pair<std::string, std::string>> said;
        for (const std::string& w : words) {
            if (accents && (w == "news" || made.count(w))) {
                said.emplace_back(w + "(2)", "N Y UW Z");
            }
        }
        return said;
    }
};

class SphinxCommandGrammarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SphinxDecoderOptions options;
        options.model = installedSphinxModel();
        auto made = SphinxDecoder::create(options);
        ASSERT_TRUE(made.ok()) << made.error().message();
        s_decoder = std::move(made).value().release();
    }
    static void TearDownTestSuite() { delete s_decoder; }

    SphinxCommandGrammar compile(const std::string& xml, std::vector<bool> active = {},
                                 double garbage = -3.0) {
        XmlGrammar parsed = parseXmlGrammar(xml).value();
        if (active.empty()) {
            active.assign(parsed.rules.size(), true);
        }
        SphinxGrammarOptions options;
        options.garbagePhoneLogProb = garbage;
        return compileCommandGrammar(parsed, active, grammarKey(xml, active), lexicon,
                                     s_decoder->logmath(), options);
    }

    static SphinxDecoder* s_decoder;
    FakeLexicon lexicon;
};
SphinxDecoder* SphinxCommandGrammarTest::s_decoder = nullptr;

const char* kGrammar = R"(<GRAMMAR>
  <RULE NAME="open google" TOPLEVEL="ACTIVE"><P>Open Google</P></RULE>
  <RULE NAME="open mail" TOPLEVEL="ACTIVE"><P>open +e-mail</P></RULE>
  <RULE NAME="read" TOPLEVEL="ACTIVE"><P>read the news</P></RULE>
  <RULE NAME="kelvo" TOPLEVEL="ACTIVE"><P>go kelvo</P></RULE>
  <RULE NAME="odd" TOPLEVEL="ACTIVE"><P>open zzyzx</P></RULE>
</GRAMMAR>)";

TEST_F(SphinxCommandGrammarTest, HypothesesMapBackToTheRulesPhrase) {
    SphinxCommandGrammar g = compile(kGrammar);
    ASSERT_TRUE(g.fsg);
    struct Case {
        const char* hypothesis;
        const char* text; // empty: no match
        const char* rule;
    };
    const Case cases[] = {
        {"open google", "Open Google", "open google"},
        {"<sil> open google <sil>", "Open Google", "open google"},
        {"open e mail", "open e-mail", "open mail"},
        {"read(2) the news", "read the news", "read"},
        {"go kelvo", "go kelvo", "kelvo"},
        {"open", "", ""},
        {"open google mail", "", ""},
        {"gbg_ah gbg_b", "", ""},
        {"open gbg_g", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        auto entry = g.match(c.hypothesis);
        if (*c.text == '\0') {
            EXPECT_FALSE(entry.has_value()) << c.hypothesis;
        } else {
            ASSERT_TRUE(entry.has_value()) << c.hypothesis;
            EXPECT_EQ(entry->text, c.text);
            EXPECT_EQ(entry->ruleName, c.rule);
        }
    }
}

TEST_F(SphinxCommandGrammarTest, PhrasesKnowWhetherALongerOneContinuesThem) {
    SphinxCommandGrammar g = compile(R"(<GRAMMAR>
  <RULE NAME="a" TOPLEVEL="ACTIVE"><P>go google</P></RULE>
  <RULE NAME="b" TOPLEVEL="ACTIVE"><P>go google mail</P></RULE>
  <RULE NAME="c" TOPLEVEL="ACTIVE"><P>open google</P></RULE>
  <RULE NAME="d" TOPLEVEL="ACTIVE"><P>go to google</P></RULE>
</GRAMMAR>)");
    const std::pair<const char*, bool> cases[] = {{"go google", true},
                                                  {"go google mail", false},
                                                  {"open google", false},
                                                  {"go to google", false}};
    for (const auto& [phrase, continues] : cases) {
        auto entry = g.match(phrase);
        ASSERT_TRUE(entry.has_value()) << phrase;
        EXPECT_EQ(entry->continues, continues) << phrase;
    }
}

TEST_F(SphinxCommandGrammarTest, AccentVariantsJoinTheSearch) {
    lexicon.accents = true;
    SphinxCommandGrammar g = compile(kGrammar);
    // Known words and words just pronounced alike get their other accents.
    std::set<std::pair<std::string, std::string>> words(g.newWords.begin(), g.newWords.end());
    EXPECT_TRUE(words.count({"news(2)", "N Y UW Z"}));
    EXPECT_TRUE(words.count({"kelvo(2)", "N Y UW Z"}));
    std::vector<std::string> arcs = describeFsg(g.fsg.get());
    EXPECT_TRUE(std::any_of(arcs.begin(), arcs.end(), [](const std::string& arc) {
        return arc.find(" news(2)") != std::string::npos;
    }));
    ASSERT_TRUE(g.match("read the news(2)").has_value());
    EXPECT_EQ(g.match("read the news(2)")->ruleName, "read");
}

TEST_F(SphinxCommandGrammarTest, UnknownWordsArePronouncedOrTheirRuleLeftOut) {
    SphinxCommandGrammar g = compile(kGrammar);
    ASSERT_EQ(lexicon.asked.size(), 1u); // one batch for all new words
    std::vector<std::string> asked = lexicon.asked[0];
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, (std::vector<std::string>{"kelvo", "zzyzx"}));
    ASSERT_GE(g.newWords.size(), 1u);
    EXPECT_EQ(g.newWords[0].first, "kelvo");
    EXPECT_EQ(g.newWords[0].second, "K EH L V OW");
    ASSERT_EQ(g.problems.size(), 1u);
    EXPECT_EQ(g.problems[0].rule, "odd");
    EXPECT_NE(g.problems[0].reason.find("zzyzx"), std::string::npos);
    EXPECT_EQ(g.phrases.size(), 4u);
}

TEST_F(SphinxCommandGrammarTest, InactiveRulesAreNotHeard) {
    SphinxCommandGrammar g = compile(kGrammar, {false, true, true, true, true});
    EXPECT_FALSE(g.match("open google").has_value());
    EXPECT_TRUE(g.match("open e mail").has_value());
    SphinxCommandGrammar none = compile(kGrammar, {false, false, false, false, false});
    EXPECT_FALSE(none.fsg);
    EXPECT_TRUE(none.phrases.empty());
}

TEST_F(SphinxCommandGrammarTest, SearchSharesBeginningsAndHasTheGarbageLoop) {
    SphinxCommandGrammar g = compile(R"(<GRAMMAR>
      <RULE NAME="a" TOPLEVEL="ACTIVE"><P>open google</P></RULE>
      <RULE NAME="b" TOPLEVEL="ACTIVE"><P>open mail</P></RULE>
      <RULE NAME="c" TOPLEVEL="ACTIVE"><P>open</P></RULE>
      <RULE NAME="d" TOPLEVEL="ACTIVE"><P>read the news</P></RULE>
    </GRAMMAR>)",
                                     {}, 0.0);
    std::vector<std::string> arcs = describeFsg(g.fsg.get());
    // start, after "open", after "read", after "read the", final
    EXPECT_EQ(arcs, (std::vector<std::string>{"0 1 open", "0 2 read", "0 2 read(2)", "1 4 -",
                                              "1 4 google", "1 4 mail", "2 3 the", "3 4 news"}));
    SphinxCommandGrammar withGarbage = compile(kGrammar);
    std::vector<std::string> all = describeFsg(withGarbage.fsg.get());
    long loops = std::count_if(all.begin(), all.end(), [](const std::string& arc) {
        return arc.find("gbg_") != std::string::npos;
    });
    // Into and around the loop, and after each first word ("open", "read",
    // "go"): "go" and a site the grammar lacks is garbage, not the nearest
    // site.
    EXPECT_EQ(loops, (2 + 3) * static_cast<long>(garbageWords().size()));
}

TEST_F(SphinxCommandGrammarTest, SearchSharesEndings) {
    SphinxCommandGrammar g = compile(R"(<GRAMMAR>
      <RULE NAME="a" TOPLEVEL="ACTIVE"><P>go to google news</P></RULE>
      <RULE NAME="b" TOPLEVEL="ACTIVE"><P>open google news</P></RULE>
      <RULE NAME="c" TOPLEVEL="ACTIVE"><P>go to yahoo news</P></RULE>
      <RULE NAME="d" TOPLEVEL="ACTIVE"><P>go to yahoo</P></RULE>
    </GRAMMAR>)",
                                     {}, 0.0);
    // "news" after "go to google" and "open google" is one state; after
    // "go to yahoo" the phrase may also end, so that state stays apart.
    EXPECT_EQ(describeFsg(g.fsg.get()),
              (std::vector<std::string>{"0 1 go", "0 3 open", "1 2 to", "2 4 google", "2 5 yahoo",
                                        "3 4 google", "4 6 news", "5 6 -", "5 6 news"}));
    for (const char* phrase :
         {"go to google news", "open google news", "go to yahoo news", "go to yahoo"}) {
        EXPECT_TRUE(g.match(phrase).has_value()) << phrase;
    }
    EXPECT_FALSE(g.match("open yahoo news").has_value());
}

TEST_F(SphinxCommandGrammarTest, KeysFollowContentAndActiveRules) {
    std::vector<bool> all{true, true};
    std::vector<bool> one{true, false};
    EXPECT_EQ(grammarKey("<GRAMMAR/>", all), grammarKey("<GRAMMAR/>", all));
    EXPECT_NE(grammarKey("<GRAMMAR/>", all), grammarKey("<GRAMMAR />", all));
    EXPECT_NE(grammarKey("<GRAMMAR/>", all), grammarKey("<GRAMMAR/>", one));
}

TEST(SphinxCommandGrammarWords, BaseWordsAndGarbage) {
    EXPECT_EQ(baseWord("read(2)"), "read");
    EXPECT_EQ(baseWord("read"), "read");
    EXPECT_EQ(baseWord("(2)"), "(2)");
    EXPECT_TRUE(isGarbageWord("gbg_aa"));
    EXPECT_FALSE(isGarbageWord("garbage"));
    EXPECT_EQ(garbageWords().size(), 29u);
}

} // namespace
} // namespace kelvo::speech
