#include "platform/speech/sphinx_vocabulary_grammar.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kelvo::speech {
namespace {

using Words = std::vector<std::string>;

bool has(const std::vector<Words>& runs, const Words& run) {
    return std::find(runs.begin(), runs.end(), run) != runs.end();
}

TEST(VocabularyRuns, RunsAreWhatCanBeSearchedFor) {
    const std::vector<Words> runs =
        vocabularyRuns({"Knitting Patterns for Beginners", "Top 10 Recipes", "AC/DC's Greatest",
                        "o", "Rock 'n' Roll"});
    struct Case {
        Words run;
        bool held;
    } cases[] = {
        {{"knitting", "patterns", "for", "beginners"}, true},
        {{"patterns", "for", "beginners"}, true},
        {{"beginners"}, true},
        {{"for"}, false},                   // a function word is never a run's end
        {{"patterns", "for"}, false},       //
        {{"top", "10"}, false},             // numbers break a title
        {{"top", "recipes"}, false},        // and no run goes across them
        {{"recipes"}, true},                //
        {{"ac", "dc's", "greatest"}, true}, // punctuation splits, apostrophes stay
        {{"o"}, true},                      // a text of one letter is asked for
        {{"rock", "roll"}, false},          // a stray letter breaks the run
        {{"roll"}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(has(runs, c.run), c.held) << c.run.front() << " (" << c.run.size() << " words)";
    }
    EXPECT_EQ(std::count(runs.begin(), runs.end(), Words{"beginners"}), 1);
}

} // namespace
} // namespace kelvo::speech
