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
    EXPECT_EQ(index.rowsOf(table, 0, "News"), (std::vector<std::size_t>{0, 2, 4}));
    EXPECT_EQ(index.rowsOf(table, 0, "mail"), std::vector<std::size_t>{1});
    EXPECT_TRUE(index.rowsOf(table, 0, "sports").empty());
}

TEST(PhraseIndex, FollowsATableThatWasReplacedOrEdited) {
    CommandTable table = tableOf({"one", "two"});
    PhraseIndex index;
    EXPECT_EQ(index.rowsOf(table, 0, "two"), std::vector<std::size_t>{1});
    table = tableOf({"three", "two", "one"});
    EXPECT_EQ(index.rowsOf(table, 0, "one"), std::vector<std::size_t>{2});
    // Edited in place, same size and storage.
    table[2].columns[0] = "four";
    EXPECT_TRUE(index.rowsOf(table, 0, "one").empty());
    table.push_back(table[0]);
    EXPECT_EQ(index.rowsOf(table, 0, "three"), (std::vector<std::size_t>{0, 3}));
}

TEST(PhraseIndex, ANewGenerationInTheSameStorageIsIndexedAgain) {
    CommandTable table = tableOf({"my foo", "other"});
    PhraseIndex index;
    EXPECT_EQ(index.rowsOf(table, 1, "my foo"), std::vector<std::size_t>{0});
    // The loader refills the same storage: same size, same address.
    table[0].columns[0] = "my bar";
    EXPECT_EQ(index.rowsOf(table, 2, "my bar"), std::vector<std::size_t>{0});
    EXPECT_TRUE(index.rowsOf(table, 2, "my foo").empty());
}

} // namespace
} // namespace kelvo
