// The Custom tab's buttons clicked on the real main window, with a row of
// its list chosen by the mouse.
#include "ui/custom_tab_buttons_binding.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(CustomTabButtonsOnTheWindow, RemoveTakesTheRowTheUserChose) {
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes(boxState, dialogs, app);
    std::vector<std::string> opened;
    MainWindow window;
    CustomTabButtons buttons(
        window, boxes,
        {[&] { opened.push_back("add"); },
         [&](const std::string& phrase) { opened.push_back("delete " + phrase); }});
    connectCustomTabButtons(window, buttons);
    window.addListColumn(ListId::Custom, "Command", 1500);
    window.addListColumn(ListId::Custom, "Website/Program", 4450);
    window.addListRow(ListId::Custom, {"go fish", "http://fish.example"});
    window.addListRow(ListId::Custom, {"run it", "/usr/bin/true"});
    window.show();
    window.setFrameVisible(Frame::VoiceCommands, false);
    window.setFrameVisible(Frame::CustomCommands, true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(window.button("cmdRemoveCommand"), Qt::LeftButton);
    QTreeWidget* list = window.list(ListId::Custom);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(1)).center());
    EXPECT_EQ(window.selectedListRow(ListId::Custom),
              (std::vector<std::string>{"run it", "/usr/bin/true"}));
    QTest::mouseClick(window.button("cmdRemoveCommand"), Qt::LeftButton);
    QTest::mouseClick(window.button("cmdAddCommand"), Qt::LeftButton);

    EXPECT_EQ(opened, (std::vector<std::string>{"delete run it", "add"}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].message, "An item was not selected.");
}

} // namespace
} // namespace kelvo
