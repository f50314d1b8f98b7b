#include "windows/main_window_command_lists.h"

#include "fakes/fake_main_window_view.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

std::vector<std::string> words(fakes::FakeMainWindowView& view, ListId id) {
    std::vector<std::string> out;
    for (const auto& row : view.lists[id].rows) {
        out.push_back(row.at(0));
    }
    return out;
}

TEST(MainWindowCommandListsTest, CatalogueListsGetTheirHeaderAndRows) {
    fakes::FakeMainWindowView view;
    MainWindowCommandLists lists(view);
    const std::vector<std::tuple<CommandList, ListId, std::string, int>> cases = {
        {CommandList::Stuff, ListId::Stuff, "Stuff", 1455},
        {CommandList::Places, ListId::Places, "Places", 1355},
        {CommandList::PureFun, ListId::Fun, "Pure Fun", 11695},
        {CommandList::Searches, ListId::RegularSearch, "Searches", 1850},
        {CommandList::SpellSearches, ListId::SpellSearch, "Spell Searches", 1850},
    };
    for (const auto& [list, id, header, width] : cases) {
        lists.setCatalogueRows(list, {"a", "b"});
        lists.setCatalogueRows(list, {"c"});
        ASSERT_EQ(view.lists[id].columns.size(), 1u) << header;
        EXPECT_EQ(view.lists[id].columns[0], (std::pair<std::string, int>{header, width}));
        EXPECT_EQ(words(view, id), std::vector<std::string>{"c"}) << header;
    }
}

TEST(MainWindowCommandListsTest, SocialRowsFollowFixedRowsOnceAfterReload) {
    fakes::FakeMainWindowView view;
    MainWindowCommandLists lists(view);
    for (int load = 0; load < 3; ++load) {
        lists.setCatalogueRows(CommandList::Facebook, {"go facebook poke"});
        lists.setCatalogueRows(CommandList::MySpace, {"go myspace top", "go myspace new"});
    }
    const auto facebook = words(view, ListId::Facebook);
    ASSERT_EQ(facebook.size(), 12u);
    EXPECT_EQ(facebook[0], "go facebook home");
    EXPECT_EQ(facebook[11], "go facebook poke");
    const auto myspace = words(view, ListId::MySpace);
    ASSERT_EQ(myspace.size(), 19u);
    EXPECT_EQ(myspace[16], "go myspace help");
    EXPECT_EQ(myspace[18], "go myspace new");
    EXPECT_EQ(view.lists[ListId::MySpace].columns[0].first, "More Voice Commands");
}

TEST(MainWindowCommandListsTest, CustomRowsHaveTwoColumns) {
    fakes::FakeMainWindowView view;
    MainWindowCommandLists lists(view);
    lists.setCustomRows({{"my site", "https://example.org"}});
    lists.setCustomRows({{"editor", "/usr/bin/gedit"}});
    ASSERT_EQ(view.lists[ListId::Custom].columns.size(), 2u);
    EXPECT_EQ(view.lists[ListId::Custom].columns[1],
              (std::pair<std::string, int>{"Website/Program", 4450}));
    EXPECT_EQ(view.lists[ListId::Custom].rows,
              (std::vector<std::vector<std::string>>{{"editor", "/usr/bin/gedit"}}));
}

} // namespace
} // namespace kelvo
