#include "speech/list_sorting.h"

#include "fakes/fake_command_list_port.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using fakes::FakeCommandListPort;
using Rows = std::vector<std::string>;

TEST(ListSorting, OrdersCaseInsensitivelyAscending) {
    const struct {
        Rows input;
        Rows sorted;
    } cases[] = {
        {{"Banana", "apple", "Cherry"}, {"apple", "Banana", "Cherry"}},
        {{"news", "Mail", "ask"}, {"ask", "Mail", "news"}},
        {{"go b", "go a", "go"}, {"go", "go a", "go b"}},
        {{"b", "", "a"}, {"", "a", "b"}},
        // Upper-casing puts "_" (0x5F) after the letters, as the lists did.
        {{"_x", "a"}, {"a", "_x"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        Rows rows = c.input;
        sortCommandRows(rows);
        EXPECT_EQ(rows, c.sorted);
    }
}

TEST(ListSorting, KeepsFileOrderOfTextsEqualButForCase) {
    Rows rows{"Zed", "ALPHA", "alpha", "Alpha"};
    sortCommandRows(rows);
    EXPECT_EQ(rows, (Rows{"ALPHA", "alpha", "Alpha", "Zed"}));
}

TEST(ListSorting, FillsOnlyNonEmptyEntries) {
    FakeCommandListPort port;
    Rows rows{"Cherry", "", "apple", ""};
    sortAndFillListView(rows, port, CommandList::Stuff);
    EXPECT_EQ(port.rowsOf(CommandList::Stuff), (Rows{"apple", "Cherry"}));
    EXPECT_EQ(rows.size(), 4u);
}

TEST(ListSorting, TwoColumnRowsMoveWithTheirTarget) {
    FakeCommandListPort port;
    std::vector<CustomListRow> rows{{"news", "https://news.example"},
                                    {"Mail", "/usr/bin/mail"},
                                    {"", "orphan"},
                                    {"ask", "https://ask.example"}};
    sortAndFillListView(rows, port);
    EXPECT_EQ(port.customRows, (std::vector<CustomListRow>{{"ask", "https://ask.example"},
                                                           {"Mail", "/usr/bin/mail"},
                                                           {"news", "https://news.example"}}));
}

TEST(ListSorting, SwapArrayRowsExchangesBothColumns) {
    std::vector<CustomListRow> rows{{"a", "1"}, {"b", "2"}};
    swapArrayRows(0, 1, rows);
    EXPECT_EQ(rows, (std::vector<CustomListRow>{{"b", "2"}, {"a", "1"}}));
    Rows texts{"x", "y", "z"};
    swapArrayRows(0, 2, texts);
    EXPECT_EQ(texts, (Rows{"z", "y", "x"}));
}

TEST(ListSorting, ScalesPastTheOldFixedSizes) {
    Rows rows;
    for (int i = 2000; i > 0; --i) {
        rows.push_back("cmd " + std::to_string(i));
    }
    sortCommandRows(rows);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(),
                               [](const auto& a, const auto& b) { return listOrderLess(a, b); }));
    EXPECT_EQ(rows.size(), 2000u);
}

} // namespace
} // namespace kelvo
