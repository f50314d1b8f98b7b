#include "windows/main_window_links_logic.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_main_window_view.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_window_registry.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/message_boxes.h"
#include "speech/speech_state.h"
#include "test_paths.h"
#include "windows/help_topics.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

class MainWindowLinksTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    fakes::FakeMainWindowView view;
    fakes::FakeWindowRegistry windows;
    fakes::FakeShell shell;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    SpeechState speech;
    std::vector<std::string> opened;
    std::vector<std::string> calls;
    OpenAddress open = [this](const std::string& target) {
        opened.push_back(target);
        return shell_result::kStarted;
    };
    HelpTopics help{fs::path(KELVO_RESOURCES_DIR) / "help", dir.path(), open, boxes};
    AdCoupon coupon;
    MainWindowLinksHooks hooks{[this](int) { return coupon; },
                               [this](const std::string& phrase, const std::string& target) {
                                   calls.push_back("edit " + phrase + " " + target);
                                   return true;
                               },
                               [this] { calls.push_back("reload"); },
                               [this] {
                                   calls.push_back("mic set-up");
                                   return true;
                               }};
    MainWindowLinksLogic links{
        view, speech, help, windows, boxes, shell, open, KELVO_RESOURCES_DIR, dir.path(), hooks};
};

TEST_F(MainWindowLinksTest, IndicatorHoverAndLeaveChangeTheImageOnce) {
    speech.hearing = true;
    view.listeningImage = 1;
    links.listeningHovered();
    EXPECT_EQ(view.listeningImage, 2);
    view.listeningImage = 0;
    links.listeningHovered(); // further moves over it change nothing
    EXPECT_EQ(view.listeningImage, 0);
    // Muted by voice meanwhile: the next leave shows the plain asleep image.
    speech.asleep = true;
    links.listeningLeft();
    EXPECT_EQ(view.listeningImage, 3);
    view.listeningImage = 0;
    links.listeningLeft();
    EXPECT_EQ(view.listeningImage, 0);
    links.listeningHovered();
    EXPECT_EQ(view.listeningImage, 4);
    // Awake, but no engine hears: still the grey images.
    speech.asleep = false;
    speech.hearing = false;
    links.listeningLeft();
    EXPECT_EQ(view.listeningImage, 3);
    links.listeningHovered();
    EXPECT_EQ(view.listeningImage, 4);
}

TEST_F(MainWindowLinksTest, OnlyLocalHashAndWebCouponLocationsAct) {
    ASSERT_TRUE(writeFileAtomically(dir / "coupon_2.html", "old page").ok());
    coupon = {"local", "coupon2.gif"};
    links.adPaneActivated(2);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], (dir / "coupon_2.html").string());
    pugi::xml_document page;
    ASSERT_TRUE(page.load_file((dir / "coupon_2.html").c_str()));
    EXPECT_STREQ(page.select_node("//img").node().attribute("src").value(), "coupon2.gif");

    for (const char* inert :
         {"#", "file:///etc/passwd", "/usr/bin/xterm", "javascript:alert(1)", "", "HTTP:/"}) {
        coupon = {inert, "coupon1.gif"};
        links.adPaneActivated(1);
    }
    coupon = {"HTTPS://shop.example.org/deal?a=1", ""};
    links.adPaneActivated(4);
    EXPECT_EQ(opened, (std::vector<std::string>{(dir / "coupon_2.html").string(),
                                                "HTTPS://shop.example.org/deal?a=1"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowLinksTest, AMissingCouponTemplateIsSaid) {
    MainWindowLinksLogic other{view,  speech, help,       windows,    boxes,
                               shell, open,   dir / "no", dir.path(), hooks};
    coupon = {"local", "coupon1.gif"};
    other.adPaneActivated(1);
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].message.find("coupon_template.html"), std::string::npos);
}

TEST_F(MainWindowLinksTest, CustomListDoubleClickEditsTheRowThenReloadsTheGrammar) {
    links.customListDoubleClicked(std::nullopt);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Unable To Remove A Command");
    EXPECT_EQ(dialogs.shown[0].message, "An item was not selected.");
    EXPECT_TRUE(calls.empty());
    links.customListDoubleClicked(std::vector<std::string>{"open mail", "https://mail.example"});
    EXPECT_EQ(calls, (std::vector<std::string>{"edit open mail https://mail.example", "reload"}));
}

TEST_F(MainWindowLinksTest, TroubleshootingOpensHelpThenSetUpThenSoundSettings) {
    shell.result = shell_result::kFileNotFound; // no pavucontrol, no other settings program
    links.troubleshootMicrophone();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], (fs::path(KELVO_RESOURCES_DIR) / "help" / "mic.html").string());
    EXPECT_EQ(calls, (std::vector<std::string>{"mic set-up"}));
    EXPECT_EQ(shell.calls.size(), 3u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Sound Settings");
}

} // namespace
} // namespace kelvo
