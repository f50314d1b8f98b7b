#include "platform/speech/sphinx_vocabulary_compiler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace kelvo::speech {
namespace {

using namespace std::chrono_literals;

TEST(SphinxVocabularyCompiler, ReturnsAtOnceAndOnlyTheNewestRequestGetsItsGrammar) {
    std::promise<void> open;
    std::shared_future<void> gate = open.get_future().share();
    std::atomic<int> compiled{0};
    std::shared_ptr<const PendingVocabulary> older;
    {
        SphinxVocabularyCompiler compiler([&](const std::vector<std::string>& texts) {
            gate.wait(); // espeak-ng pronouncing thousands of new words
            ++compiled;
            SphinxCommandGrammar grammar;
            grammar.key = texts.front();
            return grammar;
        });
        // Both calls return while the compilation cannot finish.
        older = compiler.request({"older titles"});
        auto newer = compiler.request({"newer titles"});
        EXPECT_EQ(compiler.request({"newer titles"}), newer);
        EXPECT_FALSE(newer->grammar());
        open.set_value();
        for (auto deadline = std::chrono::steady_clock::now() + 10s;
             !newer->grammar() && std::chrono::steady_clock::now() < deadline;) {
            std::this_thread::sleep_for(1ms);
        }
        ASSERT_TRUE(newer->grammar());
        EXPECT_EQ(newer->grammar()->key, "newer titles");
        // The same titles again: nothing is compiled again.
        EXPECT_EQ(compiler.request({"newer titles"}), newer);
    }
    // Gone with its thread: the superseded request never got its grammar.
    EXPECT_FALSE(older->grammar());
    EXPECT_LE(compiled.load(), 2);
}

} // namespace
} // namespace kelvo::speech
