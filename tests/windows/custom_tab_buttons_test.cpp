#include "windows/custom_tab_buttons.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_main_window_view.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class CustomTabButtonsTest : public ::testing::Test {
protected:
    CustomTabButtonsTest() {
        view.lists[ListId::Custom].rows = {{"go fish", "http://fish.example"},
                                           {"run it", "/usr/bin/true"}};
    }

    fakes::FakeMainWindowView view;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    std::vector<std::string> opened;
};

TEST_F(CustomTabButtonsTest, RemoveAsksAboutTheSelectedCommandOnly) {
    CustomTabButtons buttons(
        view, boxes,
        {[this] { opened.push_back("add"); },
         [this](const std::string& phrase) { opened.push_back("delete " + phrase); }});
    buttons.removeCommandClicked();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, "modeless");
    EXPECT_EQ(dialogs.shown[0].title, "Unable To Remove A Command");
    EXPECT_EQ(dialogs.shown[0].message, "An item was not selected.");
    view.selectedRow = 1;
    buttons.removeCommandClicked();
    buttons.addCommandClicked();
    EXPECT_EQ(opened, (std::vector<std::string>{"delete run it", "add"}));
}

TEST_F(CustomTabButtonsTest, AWindowThisVersionLacksIsToldInANotice) {
    CustomTabButtons buttons(view, boxes, {});
    view.selectedRow = 0;
    buttons.addCommandClicked();
    buttons.removeCommandClicked();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const auto& shown : dialogs.shown) {
        EXPECT_EQ(shown.kind, "notice");
        EXPECT_NE(shown.message.find("is not part of this version"), std::string::npos);
    }
}

} // namespace
} // namespace kelvo
