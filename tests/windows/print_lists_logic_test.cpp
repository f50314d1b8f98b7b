#include "windows/print_lists_logic.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "platform/shell.h"
#include "services/hex_coding.h"
#include "services/message_boxes.h"
#include "test_paths.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <regex>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

/// One catalogue element; absent attributes are left out.
std::string element(const std::string& phrase, const std::string& category,
                    const std::string& display = "", const std::string& styp = "-") {
    std::string xml = "<c c2=\"" + stringToHex(category) + "\"";
    if (!display.empty()) {
        xml += " d=\"" + stringToHex(display) + "\"";
    }
    if (styp != "-") {
        xml += " styp=\"" + stringToHex(styp) + "\"";
    }
    return xml + ">" + stringToHex(phrase) + "</c>";
}

class PrintListsTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    std::vector<std::string> opened;
    CommandListPrinter printer{KELVO_RESOURCES_DIR, dir.path(),
                               [this](const std::string& target) {
                                   opened.push_back(target);
                                   return shell_result::kStarted;
                               },
                               boxes};

    void write(const std::string& catalogue, const std::string& custom = "<cset/>") {
        ASSERT_TRUE(
            writeFileAtomically(dir / "commands.xml", "<commands>" + catalogue + "</commands>")
                .ok());
        ASSERT_TRUE(writeFileAtomically(dir / "commands_customfree.xml", custom).ok());
    }
    /// The cell texts of the named table, row by row, cells joined by "|".
    std::vector<std::string> rows(const std::string& page, const std::string& table) {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_file((dir / page).c_str()));
        std::vector<std::string> out;
        const std::string path = "//table[@name='" + table + "']/tr[td]";
        for (pugi::xpath_node row : document.select_nodes(path.c_str())) {
            std::string text;
            bool first = true;
            for (pugi::xml_node cell : row.node().children("td")) {
                text += (first ? "" : "|") + std::string(cell.child_value());
                first = false;
            }
            out.push_back(text);
        }
        return out;
    }
};

TEST_F(PrintListsTest, ListsByCategoryAndSearchTypeSortedByCharacterCode) {
    write(element("go zebra", "1") + element("Go Yak", "1") + element("go apple", "1") +
          element("places one", "2") + element("fun one", "4") +
          element("search x", "3", "regular words", "1") +
          element("search y", "3", "empty type", "") + // an empty type is 0: nowhere
          element("search z", "3", "local words", "2") + element("search w", "3", "keeps local") +
          element("spell", "3", "five", "5") + element("social", "5") + element("facebook", "6"));
    std::vector<std::string> missing;
    ASSERT_TRUE(printer.writePages(missing).ok());
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(rows("vc_web.html", "stuff"),
              (std::vector<std::string>{"Go Yak", "go apple", "go zebra"}));
    EXPECT_EQ(rows("vc_web.html", "places"), (std::vector<std::string>{"places one"}));
    EXPECT_EQ(rows("vc_web.html", "purefun"), (std::vector<std::string>{"fun one"}));
    EXPECT_EQ(rows("vc_search.html", "regular"), (std::vector<std::string>{"regular words"}));
    EXPECT_EQ(rows("vc_search.html", "local"),
              (std::vector<std::string>{"keeps local", "local words"}));
    EXPECT_TRUE(rows("vc_search.html", "spell").empty());
    EXPECT_TRUE(rows("vc_search.html", "spell local").empty());
}

TEST_F(PrintListsTest, NoSearchTypeBeforeTheFirstListsNowhere) {
    write(element("search a", "3", "orphan") + element("search b", "3", "typed", "4"));
    std::vector<std::string> missing;
    ASSERT_TRUE(printer.writePages(missing).ok());
    EXPECT_EQ(rows("vc_search.html", "spell local"), (std::vector<std::string>{"typed"}));
    EXPECT_TRUE(rows("vc_search.html", "regular").empty());
}

TEST_F(PrintListsTest, CustomRowsSortedEscapedAndWithoutAnyLimit) {
    std::string custom = "<cset><c u=\"/usr/bin/nameless\">x</c>";
    for (int i = 0; i < 400; ++i) {
        custom += "<c d=\"cmd " + std::to_string(1000 + i) +
                  "\" u=\"https://e.org/?a=1&amp;b=" + std::to_string(i) + "\">x</c>";
    }
    custom += "<c d=\"&lt;b&gt;bold &amp; &quot;odd&quot;\" u=\"\">x</c></cset>";
    std::string catalogue;
    for (int i = 0; i < 300; ++i) {
        catalogue += element("go " + std::to_string(1000 + i), "1");
    }
    write(catalogue, custom);
    std::vector<std::string> missing;
    ASSERT_TRUE(printer.writePages(missing).ok());
    EXPECT_EQ(rows("vc_web.html", "stuff").size(), 300u);
    const std::vector<std::string> listed = rows("vc_custom.html", "templ");
    ASSERT_EQ(listed.size(), 402u);
    EXPECT_EQ(listed[0], "|/usr/bin/nameless"); // no phrase: empty sorts first
    EXPECT_EQ(listed[1], "<b>bold & \"odd\"|");
    EXPECT_EQ(listed[2], "cmd 1000|https://e.org/?a=1&b=0");
    const std::string html = *readWholeFile(dir / "vc_custom.html");
    EXPECT_NE(html.find("&lt;b&gt;bold &amp;"), std::string::npos);
    // HTML reads "<td/>" as an open cell: empty cells keep their end tag.
    EXPECT_FALSE(std::regex_search(html, std::regex("<(td|tr|table|span|p|textarea)[^>]*/>")));
    EXPECT_NE(html.find("<td WIDTH=\"88%\"></td>"), std::string::npos);
    EXPECT_NE(html.find("<meta charset=\"utf-8\"/>"), std::string::npos);
}

// A damaged or missing store lists no custom command; the rest is printed.
TEST_F(PrintListsTest, AnUnreadableStoreGivesNoCustomRows) {
    for (const bool missing : {false, true}) {
        write(element("go x", "1"), "<cset><c d=\"mail\" u=\"/m\">mail");
        if (missing) {
            fs::remove(dir / "commands_customfree.xml");
        }
        dialogs.shown.clear();
        opened.clear();
        printer.printCommandLists();
        EXPECT_TRUE(dialogs.shown.empty()) << missing;
        EXPECT_EQ(opened.size(), 1u) << missing;
        EXPECT_EQ(rows("vc_web.html", "stuff"), std::vector<std::string>{"go x"});
        EXPECT_TRUE(rows("vc_custom.html", "templ").empty());
    }
}

TEST_F(PrintListsTest, UnfilledPagesAreCopiesAndTheBasicPageOpensForPrinting) {
    write(element("go x", "1"));
    std::vector<std::string> missing;
    ASSERT_TRUE(printer.writePages(missing).ok());
    for (const char* page : {"vc_basic", "vc_music", "vc_bookmark", "vc_social"}) {
        EXPECT_EQ(
            *readWholeFile(dir / (std::string(page) + ".html")),
            *readWholeFile(fs::path(KELVO_RESOURCES_DIR) / (std::string(page) + "_template.html")))
            << page;
    }
    ASSERT_EQ(opened.size(), 1u);
    const std::string forward = *readWholeFile(opened[0]);
    EXPECT_NE(forward.find("vc_basic.html#print"), std::string::npos);
}

TEST_F(PrintListsTest, AMissingTableIsReportedAndTheRestGoesOn) {
    fakes::TempDir program;
    for (const fs::directory_entry& entry : fs::directory_iterator(KELVO_RESOURCES_DIR)) {
        if (entry.path().filename().string().starts_with("vc_")) {
            fs::copy_file(entry.path(), program / entry.path().filename().string());
        }
    }
    std::string web = *readWholeFile(program / "vc_web_template.html");
    web.replace(web.find("name=\"places\""), 13, "name=\"nowhere\"");
    ASSERT_TRUE(writeFileAtomically(program / "vc_web_template.html", web).ok());
    CommandListPrinter other{program.path(), dir.path(),
                             [this](const std::string& target) {
                                 opened.push_back(target);
                                 return shell_result::kStarted;
                             },
                             boxes};
    write(element("go x", "1") + element("place", "2"));
    other.printCommandLists();
    EXPECT_EQ(rows("vc_web.html", "stuff"), (std::vector<std::string>{"go x"}));
    EXPECT_EQ(opened.size(), 1u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].message.find("vc_web.html: \"places\""), std::string::npos);

    // A missing template stops the run, and says which.
    fs::remove(program / "vc_search_template.html");
    dialogs.shown.clear();
    opened.clear();
    other.printCommandLists();
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].message.find("vc_search_template.html"), std::string::npos);
}

} // namespace
} // namespace kelvo
