#include "startup/installation_id.h"

#include "fakes/fake_random_source.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace kelvo {
namespace {

TEST(InstallationIdTest, FormatHasNoLeadingZeros) {
    struct Case {
        double draw;
        LocalDateTime today;
        std::string id;
    };
    const std::vector<Case> cases = {
        {0.12345, {2009, 3, 7, 10, 0, 0, 66}, "a123453790a"},
        {0.0, {2010, 12, 31, 0, 0, 0, 365}, "a01231100a"},
        {0.999999, {2007, 1, 1, 0, 0, 0, 1}, "a999991170a"},
        {0.000042, {2026, 11, 9, 0, 0, 0, 313}, "a4119260a"},
        // A faulty source never gives a number out of range.
        {1.0, {2026, 11, 9, 0, 0, 0, 313}, "a0119260a"},
        {-0.5, {2026, 11, 9, 0, 0, 0, 313}, "a0119260a"},
    };
    for (const Case& c : cases) {
        fakes::FakeRandomSource random;
        random.queued.push_back(c.draw);
        EXPECT_EQ(makeInstallationId(random, c.today), c.id) << c.draw;
        EXPECT_EQ(random.draws, 1);
    }
}

TEST(InstallationIdTest, RealSourceGivesVaryingIdsOfTheFormat) {
    auto random = makeSystemRandomSource();
    const LocalDateTime today{2026, 12, 8, 0, 0, 0, 342};
    const std::regex format("a(0|[1-9][0-9]{0,4})128260a");
    std::set<std::string> ids;
    for (int i = 0; i < 50; ++i) {
        const std::string id = makeInstallationId(*random, today);
        EXPECT_TRUE(std::regex_match(id, format)) << id;
        ids.insert(id);
    }
    EXPECT_GT(ids.size(), 40u);
}

} // namespace
} // namespace kelvo
