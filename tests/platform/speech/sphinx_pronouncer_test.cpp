#include "platform/speech/sphinx_pronouncer.h"

#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sys/stat.h>

namespace kelvo::speech {
namespace {

TEST(SphinxPronouncer, IpaBecomesModelPhones) {
    struct Case {
        const char* ipa;
        const char* phones;
    };
    const Case cases[] = {
        {"kˈɛlvoʊ", "K EH L V OW"},
        {"dʒˌuːlɪˈɛt", "JH UW L IH EH T"},
        {"tʃˈɜːtʃ", "CH ER CH"},
        {"fˈaɪɚ", "F AY ER"},
        {"nˌiə", "N IY AH"},
        {"bˈʌʔn̩", "B AH T AH N"},
        {"sˌiːˌɛnˈɛn dˈɑːt kˈɑːm", "S IY EH N EH N D AA T K AA M"},
        {"(en)hˈɛloʊ(fr)", "HH EH L OW"},
    };
    for (const Case& c : cases) {
        std::optional<std::string> phones = ipaToModelPhones(c.ipa);
        ASSERT_TRUE(phones.has_value()) << c.ipa;
        EXPECT_EQ(*phones, c.phones) << c.ipa;
    }
}

TEST(SphinxPronouncer, UnknownSymbolsGiveNothing) {
    EXPECT_FALSE(ipaToModelPhones("kʘa").has_value());
    EXPECT_FALSE(ipaToModelPhones("").has_value());
    EXPECT_FALSE(ipaToModelPhones("ˈˌ").has_value());
    EXPECT_FALSE(ipaToModelPhones("(en").has_value());
}

TEST(SphinxPronouncer, EspeakPronouncesNewWords) {
    EspeakPronouncer pronouncer;
    auto made = pronouncer.pronounce({"kelvo", "zoobly", "[[bad]]"});
    ASSERT_TRUE(made.ok()) << made.error().message();
    ASSERT_EQ(made->count("kelvo"), 1u);
    EXPECT_EQ(made->at("kelvo"), "K EH L V OW");
    EXPECT_EQ(made->count("zoobly"), 1u);
    EXPECT_EQ(made->count("[[bad]]"), 0u);
}

TEST(SphinxPronouncer, MissingProgramIsAnError) {
    EspeakPronouncer pronouncer("/nonexistent/espeak-ng");
    EXPECT_FALSE(pronouncer.pronounce({"kelvo"}).ok());
    EXPECT_TRUE(pronouncer.pronounce({}).ok());
}

TEST(SphinxPronouncer, AVocabularyLargerThanOneArgumentTakesSeveralRuns) {
    // A stand-in that says every line as "test".
    fakes::TempDir dir;
    const std::string program = (dir / "espeak").string();
    std::ofstream(program) << "#!/bin/sh\nprintf '%s' \"$5\" | sed 's/.*/tˈɛst/'\n";
    ::chmod(program.c_str(), 0700);
    std::vector<std::string> words;
    for (int i = 0; i < 15000; ++i) {
        std::string word = "kelvo";
        for (int n = i; n > 0; n /= 26) {
            word += static_cast<char>('a' + n % 26);
        }
        words.push_back(word);
    }
    auto made = EspeakPronouncer(program).pronounce(words);
    ASSERT_TRUE(made.ok()) << made.error().message();
    EXPECT_EQ(made->size(), words.size());
    EXPECT_EQ(made->at(words.back()), "T EH S T");
}

TEST(SphinxPronouncer, AStoppedRunIsKilledAtOnce) {
    // Thousands of new words keep espeak-ng busy for seconds; the program
    // ending must not wait for it.
    // Silent until it is done, or writing without a pause of 100 ms.
    fakes::TempDir dir;
    for (const char* script :
         {"exec sleep 30", "i=0; while [ $i -lt 60 ]; do echo x; sleep 0.05; i=$((i+1)); done"}) {
        const std::string slow = (dir / "slow-espeak").string();
        std::ofstream(slow) << "#!/bin/sh\n" << script << "\n";
        ::chmod(slow.c_str(), 0700);
        const auto start = std::chrono::steady_clock::now();
        EspeakPronouncer pronouncer(slow, [&] {
            return std::chrono::steady_clock::now() - start > std::chrono::milliseconds(200);
        });
        auto made = pronouncer.pronounce({"kelvo"});
        ASSERT_FALSE(made.ok()) << script;
        EXPECT_EQ(made.error().number(), ECANCELED) << script;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << script;
    }
}

} // namespace
} // namespace kelvo::speech
