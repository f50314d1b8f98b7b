#include "services/xml_helpers.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kelvo {
namespace {

const char* kPage = R"(<html><body>
<span id="title">old</span>
<div><span id="x">first</span><span id="x">second</span></div>
<td id="title">cell</td>
<span name="title">no id</span>
<img src="a.gif" alt="a"/>
</body></html>)";

class XmlHelpersTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.load_string(kPage)); }
    std::string text(const pugi::xml_node& node) {
        std::ostringstream out;
        node.print(out, "", pugi::format_raw);
        return out.str();
    }
    pugi::xml_document doc;
};

TEST_F(XmlHelpersTest, FindsTheFirstElementOfThatNameAndId) {
    EXPECT_EQ(std::string(getElementById(doc, "span", "title").text().get()), "old");
    EXPECT_EQ(std::string(getElementById(doc, "td", "title").text().get()), "cell");
    EXPECT_EQ(std::string(getElementById(doc, "span", "x").text().get()), "first");
}

TEST_F(XmlHelpersTest, NoElementOfThatIdGivesNothing) {
    EXPECT_FALSE(getElementById(doc, "span", "missing"));
    EXPECT_FALSE(getElementById(doc, "div", "title"));
    EXPECT_FALSE(getElementById(doc, "SPAN", "title")); // names match with case
    EXPECT_FALSE(getElementById(doc, "span", "Title"));
    EXPECT_FALSE(getElementById(doc, "img", "")); // no id attribute at all
}

TEST_F(XmlHelpersTest, SetNodeTextReplacesTheChildren) {
    auto div = doc.child("html").child("body").child("div");
    setNodeText(div, "a < b & c");
    EXPECT_EQ(text(div), "<div>a &lt; b &amp; c</div>");
    setNodeText(div, "");
    EXPECT_EQ(text(div), "<div/>");
    auto title = getElementById(doc, "span", "title");
    setNodeText(title.first_child(), "new");
    EXPECT_EQ(text(title), "<span id=\"title\">new</span>");
    setNodeText(pugi::xml_node(), "ignored"); // a null node is left alone
}

TEST_F(XmlHelpersTest, SetAttributeValueOnlyWhenThereIsOne) {
    auto img = doc.child("html").child("body").child("img");
    setAttributeValue(img, "src", "coupon1.gif");
    setAttributeValue(img, "width", "10");
    EXPECT_EQ(text(img), "<img src=\"coupon1.gif\" alt=\"a\"/>");
}

} // namespace
} // namespace kelvo
