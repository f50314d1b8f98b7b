#include "windows/help_topics.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "platform/shell.h"
#include "services/message_boxes.h"
#include "test_paths.h"
#include "windows/main_window_menus_logic.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <regex>
#include <set>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

const fs::path kHelp = fs::path(KELVO_RESOURCES_DIR) / "help";

/// True when the page parses and holds the anchor (or needs none).
::testing::AssertionResult resolves(std::string_view topic) {
    const std::string text(topic);
    const size_t hash = text.find('#');
    pugi::xml_document page;
    if (!page.load_file((kHelp / text.substr(0, hash)).c_str())) {
        return ::testing::AssertionFailure() << text << ": no such page, or not well-formed";
    }
    if (hash != std::string::npos &&
        !page.find_node([id = text.substr(hash + 1)](const pugi::xml_node& node) {
            return node.attribute("id").value() == id;
        })) {
        return ::testing::AssertionFailure() << text << ": no such anchor";
    }
    return ::testing::AssertionSuccess();
}

TEST(HelpTopics, EveryTopicTheProgramOpensResolvesToAPageAndAnchor) {
    std::set<std::string> topics(helpTopics().begin(), helpTopics().end());
    for (const MenuItem& item : mainWindowMenuItems()) {
        if (item.kind == MenuKind::HelpTopic) {
            topics.insert(std::string(item.target));
        }
    }
    // The troubleshooting item opens one of its own.
    topics.insert("mic.html");
    for (const std::string& topic : topics) {
        EXPECT_TRUE(resolves(topic));
    }
}

TEST(HelpTopics, EveryPageIsHtmlABrowserReadsAsWrittenAndItsLinksResolve) {
    const std::regex selfClosed("<(?!(br|img|input|meta|link|hr)\\b)[a-z]+[^>]*/>");
    const std::regex link("href=\"([a-z_]+\\.html(#[a-z_]+)?)\"");
    int pages = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kHelp)) {
        if (entry.path().extension() != ".html") {
            continue;
        }
        ++pages;
        const std::string text = *readWholeFile(entry.path());
        pugi::xml_document page;
        EXPECT_TRUE(page.load_string(text.c_str())) << entry.path();
        EXPECT_TRUE(text.starts_with("<!DOCTYPE html>")) << entry.path();
        EXPECT_FALSE(std::regex_search(text, selfClosed)) << entry.path();
        for (auto it = std::sregex_iterator(text.begin(), text.end(), link);
             it != std::sregex_iterator(); ++it) {
            EXPECT_TRUE(resolves((*it)[1].str())) << "in " << entry.path();
        }
    }
    EXPECT_GE(pages, 23);
}

TEST(HelpTopics, OpensEachAnchorThroughAForwardingPageOfItsOwnAndSaysWhenAPageIsMissing) {
    fakes::TempDir dir;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState state;
    MessageBoxes boxes{state, dialogs, app};
    std::vector<std::string> opened;
    HelpTopics help(
        kHelp, dir.path(),
        [&opened](const std::string& target) {
            opened.push_back(target);
            return shell_result::kStarted;
        },
        boxes);
    help.open("tips.html");
    help.open("tab_search.html#search_local");
    // Opened in quick succession, before the browser has read the first.
    help.open("tab_bookmark.html#bookmark_search");
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], (kHelp / "tips.html").string());
    EXPECT_NE(readWholeFile(opened[1])->find("tab_search.html#search_local"), std::string::npos);
    EXPECT_NE(readWholeFile(opened[2])->find("tab_bookmark.html#bookmark_search"),
              std::string::npos);
    EXPECT_TRUE(dialogs.shown.empty());
    help.open("nowhere.html");
    EXPECT_EQ(opened.size(), 3u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].message.find("nowhere.html"), std::string::npos);
}

} // namespace
} // namespace kelvo
