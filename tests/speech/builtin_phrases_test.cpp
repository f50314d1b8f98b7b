#include "speech/builtin_phrases.h"

#include "speech/match_key.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace kelvo {
namespace {

TEST(BuiltinPhrases, FortyRowsInOrder) {
    const auto rows = builtinPhrases();
    ASSERT_EQ(rows.size(), 40u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].number, static_cast<int>(i + 1));
        EXPECT_FALSE(rows[i].variants[0].empty());
    }
}

TEST(BuiltinPhrases, EveryVariantFindsItsOwnRow) {
    for (const BuiltinPhrase& row : builtinPhrases()) {
        for (const std::string_view variant : row.variants) {
            if (variant.empty()) {
                continue;
            }
            const std::string key = standardKeyOf(variant);
            const BuiltinPhrase* found = findBuiltinPhrase(key, variant);
            ASSERT_NE(found, nullptr) << variant;
            EXPECT_EQ(found->number, row.number) << variant;
        }
    }
}

TEST(BuiltinPhrases, KeyRowsNeedAStandardExactKeyTextRowsDoNot) {
    EXPECT_EQ(findBuiltinPhrase("[Text=restore, RecoType=1]", "restore"), nullptr);
    EXPECT_EQ(findBuiltinPhrase("[Text=Restore, RecoType=0]", "Restore"), nullptr);
    EXPECT_EQ(findBuiltinPhrase("[Text=restore, RecoType=junk]", "restore"), nullptr);
    const BuiltinPhrase* text =
        findBuiltinPhrase("[Text=go place tab, RecoType=3]", "go place tab");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->number, 5);
    EXPECT_EQ(findBuiltinPhrase("[Text=x, RecoType=0]", "x"), nullptr);
}

TEST(BuiltinPhrases, CountingAndReloadColumns) {
    std::set<int> notCounted;
    std::set<int> noReload;
    for (const BuiltinPhrase& row : builtinPhrases()) {
        if (!row.counted) {
            notCounted.insert(row.number);
        }
        if (!row.reloadCheck) {
            noReload.insert(row.number);
        }
    }
    EXPECT_EQ(notCounted, (std::set<int>{21, 22, 40}));
    EXPECT_EQ(noReload, (std::set<int>{16, 17, 18, 19, 20, 24, 25}));
}

// The grammar generator keeps its own list of the built-in phrases (row, a
// tab, a variant); both must name the same phrases in the same rows, or a
// phrase is heard that nothing acts on.
TEST(BuiltinPhrases, AgreeWithTheGrammarGeneratorsList) {
    const std::filesystem::path list =
        std::filesystem::path(KELVO_RESOURCES_DIR) / "grammar" / "builtin_phrases.txt";
    ASSERT_TRUE(std::filesystem::exists(list)) << list;
    std::set<std::pair<int, std::string>> listed;
    std::ifstream in(list);
    for (std::string line; std::getline(in, line);) {
        if (trimmed(line).empty() || line.front() == '#') {
            continue;
        }
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        listed.insert({std::stoi(line.substr(0, tab)), std::string(trimmed(line.substr(tab + 1)))});
    }
    std::set<std::pair<int, std::string>> ours;
    for (const BuiltinPhrase& row : builtinPhrases()) {
        for (const std::string_view variant : row.variants) {
            if (!variant.empty()) {
                ours.insert({row.number, std::string(variant)});
            }
        }
    }
    EXPECT_EQ(listed, ours);
}

} // namespace
} // namespace kelvo
