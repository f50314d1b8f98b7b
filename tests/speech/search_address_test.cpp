#include "speech/search_address.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutScanningTheReplacement) {
    EXPECT_EQ(replaceAll("a%sb%s", "%s", "x"), "axbx");
    // The replacement holds the placeholder: it must not be replaced again
    // (and must not loop).
    EXPECT_EQ(replaceAll("q=%s", "%s", "%s%s"), "q=%s%s");
    EXPECT_EQ(replaceAll("aaa", "aa", "a"), "aa");
    EXPECT_EQ(replaceAll("Case case", "case", "X"), "Case X");
    EXPECT_EQ(replaceAll("abc", "", "zz"), "abc");
    EXPECT_EQ(replaceAll("", "a", "b"), "");
}

TEST(PercentEncode, KeepsOnlyUnreservedCharacters) {
    EXPECT_EQ(percentEncode("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(percentEncode("a b&c=d/e?f#g+h%"), "a%20b%26c%3Dd%2Fe%3Ff%23g%2Bh%25");
    EXPECT_EQ(percentEncode("caf\xC3\xA9"), "caf%C3%A9");
}

TEST(JoinSearchWords, EncodesEachWordAndJoinsWithTheSeparator) {
    EXPECT_EQ(joinSearchWords("cheap flights to rome", "+"), "cheap+flights+to+rome");
    EXPECT_EQ(joinSearchWords("a&b c", "%20"), "a%26b%20c");
    EXPECT_EQ(joinSearchWords("one", "+"), "one");
    // Each single blank becomes one separator, as dictated.
    EXPECT_EQ(joinSearchWords("a  b", "+"), "a++b");
}

TEST(SearchAddresses, WebAndLocal) {
    PendingSearch web;
    web.u = "https://s.example/search?q=QQ&lang=en";
    web.p = "QQ";
    web.ct = "+";
    EXPECT_EQ(webSearchAddress(web, "red shoes"), "https://s.example/search?q=red+shoes&lang=en");

    PendingSearch local;
    local.u = "https://maps.example/?what=WW&where=LL";
    local.p = "WW";
    local.p2 = "LL";
    EXPECT_EQ(localSearchAddress(local, "thai food", "New York, NY"),
              "https://maps.example/?what=thai%20food&where=New%20York%2C%20NY");
    // Words that spell the location placeholder stay words.
    EXPECT_EQ(localSearchAddress(local, "LL", "WW"), "https://maps.example/?what=LL&where=WW");
}

TEST(ZipFromWords, NumberWordsBecomeDigits) {
    EXPECT_EQ(zipFromWords("four five two one one"), "45211");
    EXPECT_EQ(zipFromWords("nine o two one o"), "90210");
    EXPECT_EQ(zipFromWords("twenty one"), "201");
    EXPECT_EQ(zipFromWords("Four Five x"), "45x");
    EXPECT_EQ(zipFromWords(""), "");
}

TEST(PendingSearch, PendingUntilCleared) {
    PendingSearch search;
    EXPECT_FALSE(search.pending());
    search.u = "https://x/";
    search.styp = "1";
    EXPECT_TRUE(search.pending());
    search.clear();
    EXPECT_FALSE(search.pending());
    EXPECT_EQ(search.styp, "");
}

} // namespace
} // namespace kelvo
