// The main window's buttons and the Custom list's double click, clicked on
// the real window.
#include "ui/main_window_buttons.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(MainWindowButtonsOnTheWindow, ClicksAndTheListsDoubleClickReachTheirWindows) {
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes(boxState, dialogs, app);
    std::vector<std::string> opened;
    MainWindowDialogs open;
    open.addCustomCommand = [&] { opened.push_back("add"); };
    open.editCustomCommand = [&](const std::string& phrase, const std::string& target) {
        opened.push_back("edit " + phrase + " " + target);
        return false;
    };
    open.showAbout = [&] { opened.push_back("about"); };
    MainWindow window;
    MainWindowButtons buttons(window, boxes, open);
    connectMainWindowButtons(window, buttons);
    window.addListColumn(ListId::Custom, "Command", 1500);
    window.addListColumn(ListId::Custom, "Website/Program", 4450);
    window.addListRow(ListId::Custom, {"go fish", "http://fish.example"});
    window.show();
    window.setFrameVisible(Frame::VoiceCommands, false);
    window.setFrameVisible(Frame::CustomCommands, true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(window.button("cmdAddCommand"), Qt::LeftButton);
    QTreeWidget* list = window.list(ListId::Custom);
    QWidget* rows = list->viewport();
    const QPoint row = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseClick(rows, Qt::LeftButton, {}, row);
    QTest::mouseDClick(rows, Qt::LeftButton, {}, row);
    // A press below the rows leaves none selected, as in a list view.
    const QPoint empty(row.x(), rows->height() - 5);
    QTest::mouseClick(rows, Qt::LeftButton, {}, empty);
    EXPECT_TRUE(window.selectedListRow(ListId::Custom).empty());
    QTest::mouseDClick(rows, Qt::LeftButton, {}, empty);
    window.menuAction("mnuAbout")->trigger();

    EXPECT_EQ(opened,
              (std::vector<std::string>{"add", "edit go fish http://fish.example", "about"}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].message, "An item was not selected.");
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace kelvo
