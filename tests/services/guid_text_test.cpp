#include "services/guid_text.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace kelvo {
namespace {

TEST(GuidTextTest, HasTheRegistryForm) {
    const std::regex form(
        "\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}");
    for (int i = 0; i < 50; ++i) {
        const std::string guid = newGuidString();
        EXPECT_EQ(guid.size(), 38u);
        EXPECT_TRUE(std::regex_match(guid, form)) << guid;
    }
}

TEST(GuidTextTest, EachIsNew) {
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        EXPECT_TRUE(seen.insert(newGuidString()).second);
    }
}

TEST(GuidTextTest, BytesAreWrittenInOrderWithVersionAndVariant) {
    std::array<uint8_t, 16> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i * 17);
    }
    EXPECT_EQ(guidText(bytes), "{00112233-4455-4677-8899-AABBCCDDEEFF}");
    bytes.fill(0xFF);
    EXPECT_EQ(guidText(bytes), "{FFFFFFFF-FFFF-4FFF-BFFF-FFFFFFFFFFFF}");
}

} // namespace
} // namespace kelvo
