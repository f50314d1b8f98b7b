#include "speech/phrase_index.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

CommandTable tableOf(std::initializer_list<const char*> phrases) {
    CommandTable table;
    for (const char* phrase : phrases) {
        CommandRecord row;
        row.columns[0] = phrase;
        table.push_back(row);
    }
    return table;
}

TEST(StandardKeyPhrase, OnlyStandardKeysGiveAPhrase) {
    std::string_view phrase;
    ASSERT_TRUE(standardKeyPhrase("[Text=Open Mail, RecoType=0]", phrase));
    EXPECT_EQ(phrase, "Open Mail");
    ASSERT_TRUE(standardKeyPhrase("[TEXT=x, recotype=0]", phrase));
    EXPECT_EQ(phrase, "x");
    EXPECT_FALSE(standardKeyPhrase("[Text=x, RecoType=1]", phrase));
    EXPECT_FALSE(standardKeyPhrase("[Text=x, RecoType=junk]", phrase));
    EXPECT_FALSE(standardKeyPhrase("x", phrase));
}

TEST(PhraseIndex, FindsEveryRowOfAPhraseInTableOrderIgnoringCase) {
    CommandTable table = tableOf({"news", "Mail", "NEWS", "weather", "news"});
    PhraseIndex index;
    EXPECT_EQ(index.rowsOf(table, "News"), (std::vector<std::size_t>{0, 2, 4}));
    EXPECT_EQ(index.rowsOf(table, "mail"), std::vector<std::size_t>{1});
    EXPECT_TRUE(index.rowsOf(table, "sports").empty());
}

TEST(PhraseIndex, FollowsATableThatWasReplacedOrEdited) {
    CommandTable table = tableOf({"one", "two"});
    PhraseIndex index;
    EXPECT_EQ(index.rowsOf(table, "two"), std::vector<std::size_t>{1});
    table = tableOf({"three", "two", "one"});
    EXPECT_EQ(index.rowsOf(table, "one"), std::vector<std::size_t>{2});
    // Edited in place, same size and storage.
    table[2].columns[0] = "four";
    EXPECT_TRUE(index.rowsOf(table, "one").empty());
    table.push_back(table[0]);
    EXPECT_EQ(index.rowsOf(table, "three"), (std::vector<std::size_t>{0, 3}));
}

} // namespace
} // namespace kelvo
