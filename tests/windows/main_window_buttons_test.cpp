#include "windows/main_window_buttons.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_main_window_view.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class MainWindowButtonsTest : public ::testing::Test {
protected:
    MainWindowButtonsTest() {
        view.windowVisible = true;
        view.lists[ListId::Custom].rows = {{"go fish", "http://fish.example"},
                                           {"run it", "/usr/bin/true"}};
    }
    MainWindowButtons buttons(MainWindowDialogs dialogs) {
        return MainWindowButtons(view, boxes, std::move(dialogs));
    }

    fakes::FakeMainWindowView view;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    std::vector<std::string> opened;
};

TEST_F(MainWindowButtonsTest, AWindowThisVersionLacksIsToldInANotice) {
    auto none = buttons({});
    const std::function<void()> clicks[] = {
        [&] { none.addCommandClicked(); },      [&] { none.customHelpClicked(); },
        [&] { none.importBookmarksClicked(); }, [&] { none.importHelpClicked(); },
        [&] { none.printClicked(); },           [&] { none.trainClicked(); },
        [&] { none.jajahClicked(); },           [&] { none.skypeClicked(); },
        [&] { none.aboutClicked(); },           [&] { none.supportClicked(); },
    };
    for (const auto& click : clicks) {
        dialogs.shown.clear();
        click();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, "notice");
        EXPECT_NE(dialogs.shown[0].message.find("is not part of this version"), std::string::npos);
        EXPECT_TRUE(view.windowVisible);
    }
}

TEST_F(MainWindowButtonsTest, ButtonsOpenTheirWindowsAndTopics) {
    MainWindowDialogs dialogsToOpen;
    dialogsToOpen.openHelpTopic = [this](const std::string& topic) { opened.push_back(topic); };
    dialogsToOpen.importBookmarks = [this] { opened.push_back("import"); };
    dialogsToOpen.showAbout = [this] { opened.push_back("about"); };
    auto open = buttons(dialogsToOpen);
    open.customHelpClicked();
    open.importHelpClicked();
    EXPECT_TRUE(view.windowVisible);
    open.importBookmarksClicked();
    EXPECT_FALSE(view.windowVisible);
    open.aboutClicked();
    EXPECT_EQ(opened,
              (std::vector<std::string>{"tab_customcommands.html",
                                        "tab_bookmark.html#bookmark_import", "import", "about"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowButtonsTest, RemoveAndEditTakeTheSelectedCommand) {
    bool editorRan = true;
    MainWindowDialogs dialogsToOpen;
    dialogsToOpen.confirmDelete = [this](const std::string& phrase) {
        opened.push_back("delete " + phrase);
    };
    dialogsToOpen.editCustomCommand = [&](const std::string& phrase, const std::string& target) {
        opened.push_back("edit " + phrase + " " + target);
        return editorRan;
    };
    dialogsToOpen.reloadGrammar = [this] { opened.push_back("reload"); };
    auto open = buttons(dialogsToOpen);

    // Nothing selected: both say so, with the remove button's texts.
    open.removeCommandClicked();
    open.customListDoubleClicked();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const auto& box : dialogs.shown) {
        EXPECT_EQ(box.title, "Unable To Remove A Command");
        EXPECT_EQ(box.message, "An item was not selected.");
        EXPECT_EQ(box.kind, "modeless");
    }
    EXPECT_TRUE(opened.empty());

    view.selectedRow = 1;
    open.removeCommandClicked();
    open.customListDoubleClicked();
    // An editor that was already open is only raised: nothing to reload.
    editorRan = false;
    view.selectedRow = 0;
    open.customListDoubleClicked();
    EXPECT_EQ(opened, (std::vector<std::string>{"delete run it", "edit run it /usr/bin/true",
                                                "reload", "edit go fish http://fish.example"}));
}

} // namespace
} // namespace kelvo
