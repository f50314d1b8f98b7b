#include "ui/main_window.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_pointer_buttons.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "ui/tray_icon.h"
#include "windows/main_window_logic.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    fakes::FakePointerButtons pointer;
    MainWindowState state;
    DispatchState dispatch;
    MessageBoxState boxState;
    SettingsFile settings{dir / "mouse.ini", errors};
    MessageBoxes boxes{boxState, dialogs, app};
    MainWindowHooks hooks;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<MainWindowLogic> logic;

    void store(const std::string& ini) {
        ASSERT_TRUE(writeFileAtomically(settings.path(), ini).ok());
    }
    void load(const std::string& ini = "") {
        store(ini);
        window = std::make_unique<MainWindow>();
        tray = std::make_unique<TrayIcon>(window->trayMenuActions());
        MainWindowPaths paths{dir.path(),
                              dir / "program",
                              dir / "autostart",
                              "/usr/bin/kelvo",
                              {dir / "applications"}};
        logic = std::make_unique<MainWindowLogic>(state, dispatch, boxState, *window, *tray,
                                                  settings, boxes, app, pointer, paths, hooks);
        window->setLogic(logic.get());
        ASSERT_TRUE(logic->formLoad("").ok());
        logic->removeClientTab();
    }
    std::vector<QString> visibleFrames() {
        std::vector<QString> names;
        for (int i = 0; i < kFrameCount; ++i) {
            QWidget* frame = window->frame(static_cast<Frame>(i));
            if (!frame->isHidden()) {
                names.push_back(frame->objectName());
            }
        }
        return names;
    }
    QStringList rows(ListId id) {
        QStringList out;
        QTreeWidget* tree = window->list(id);
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            out << tree->topLevelItem(i)->text(0);
        }
        return out;
    }
};

TEST_F(MainWindowTest, LocationLabelShowsPlainText) {
    for (const auto& [value, shown] : std::vector<std::pair<std::string, std::string>>{
             {"x", "Click To Set Location"},
             {"", "Click To Set Location"},
             {"<b>Dayton</b>", "Current location: <b>Dayton</b>"}}) {
        load("[Lobuteha]\nlocation=" + value + "\n");
        EXPECT_EQ(window->locationLabel()->text().toStdString(), shown);
        EXPECT_EQ(window->locationLabel()->textFormat(), Qt::PlainText);
    }
}

TEST_F(MainWindowTest, CheckBoxesFollowStoredValuesWithoutWriting) {
    load("[Splash]\nDisplayOnStart=False\n[Main]\nDisplayOnStart=True\n");
    EXPECT_FALSE(window->checkBox(CheckBox::ShowSplash)->isChecked());
    EXPECT_TRUE(window->checkBox(CheckBox::ShowMain)->isChecked());
    load("[Splash]\nDisplayOnStart=Fals\n");
    EXPECT_FALSE(window->checkBox(CheckBox::ShowSplash)->isChecked());
    EXPECT_FALSE(window->checkBox(CheckBox::ShowMain)->isChecked());
    EXPECT_EQ(readWholeFile(settings.path()).value(), "[Splash]\nDisplayOnStart=Fals\n");

    // A user's click writes.
    QTest::mouseClick(window->checkBox(CheckBox::ShowMain), Qt::LeftButton);
    EXPECT_EQ(settings.readIni("Main", "DisplayOnStart", "", 7), "True");
}

TEST_F(MainWindowTest, TenTabsAndOnePageAtATime) {
    load();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTabBar* tabs = window->tabStrip();
    ASSERT_EQ(tabs->count(), 10);
    EXPECT_EQ(tabs->tabText(5), "Music");
    EXPECT_EQ(visibleFrames(), std::vector<QString>{"fmvoiceCommands"});

    const std::vector<std::pair<int, QString>> clicks = {{3, "fmFun"},    {2, "fmwebCommands"},
                                                         {8, "fmSocial"}, {9, "fmMouseConfig"},
                                                         {5, "fmMusic"},  {0, "fmvoiceCommands"}};
    for (const auto& [index, frame] : clicks) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        EXPECT_EQ(tabs->currentIndex(), index);
        EXPECT_EQ(visibleFrames(), std::vector<QString>{frame});
    }
    logic->clickTab("Searches");
    EXPECT_EQ(tabs->currentIndex(), 7);
    EXPECT_EQ(visibleFrames(), std::vector<QString>{"fmSearches"});
    logic->clickTab("Client");
    logic->clickTab("basic");
    EXPECT_EQ(tabs->currentIndex(), 7);
    EXPECT_EQ(visibleFrames(), std::vector<QString>{"fmSearches"});
}

TEST_F(MainWindowTest, ListsCarryRowsHeadersAndToolTips) {
    load();
    QTreeWidget* basic = window->list(ListId::Basic);
    ASSERT_EQ(basic->columnCount(), 2);
    EXPECT_EQ(basic->headerItem()->text(0), "Word(s)");
    EXPECT_EQ(basic->headerItem()->text(1), "Action");
    EXPECT_EQ(basic->columnWidth(0), 2450 / 15);
    ASSERT_EQ(basic->topLevelItemCount(), 26);
    EXPECT_EQ(basic->topLevelItem(9)->text(1), "quits this program");
    EXPECT_TRUE(basic->toolTip().startsWith("A list of basic speech commands"));
    EXPECT_EQ(window->list(ListId::Login)->toolTip(),
              "Login speech commands -  these commands  let you login to your Facebook or "
              "MySpace account without having type in your username and password each time");
    EXPECT_EQ(window->list(ListId::MusicBasic)->topLevelItemCount(), 0);
    logic->loadMusicList();
    EXPECT_EQ(window->list(ListId::MusicOther)->headerItem()->text(0), "Other****");
    EXPECT_EQ(rows(ListId::MusicOther),
              (QStringList{"create playlist", "spellcreate music playlist", "music volume"}));
}

TEST_F(MainWindowTest, LoginListByHexSwitches) {
    for (const auto& [ini, expected] : std::vector<std::pair<std::string, QStringList>>{
             {"", {}},
             {"[Miami]\nl=31\n", {"login to myspace"}},
             {"[Flatrock]\nl=31\n[Miami]\nl=31\n", {"login to facebook", "login to myspace"}}}) {
        state = MainWindowState{};
        load(ini);
        EXPECT_EQ(rows(ListId::Login), expected);
        EXPECT_EQ(window->list(ListId::Login)->isEnabled(), !expected.isEmpty());
    }
}

TEST_F(MainWindowTest, CatalogueRowsOnceAfterReload) {
    hooks.loadAllCommandLists = [this] {
        window->addListRow(ListId::Facebook, {"go facebook poke"});
        return Status{};
    };
    load();
    ASSERT_TRUE(logic->reloadCommandLists().ok());
    EXPECT_EQ(rows(ListId::Facebook).count("go facebook poke"), 1);
    EXPECT_EQ(rows(ListId::Facebook).size(), 12);
}

TEST_F(MainWindowTest, EveryExitRoadReachesCloseDownOnce) {
    const auto quits = [this] { return std::count(app.calls.begin(), app.calls.end(), "quit"); };
    load();
    QTest::mouseClick(window->button("BtnExit"), Qt::LeftButton);
    window->close();
    EXPECT_EQ(quits(), 1);

    app.calls.clear();
    load();
    window->menuAction("mnuSysTrayclose")->trigger();
    QTest::mouseClick(window->button("BtnExit"), Qt::LeftButton);
    EXPECT_EQ(quits(), 1);

    app.calls.clear();
    load();
    window->show();
    window->close();
    EXPECT_EQ(quits(), 1);
    EXPECT_EQ(boxState.pendingAction, "Quit");
}

TEST_F(MainWindowTest, MenusAndHiddenItems) {
    load();
    EXPECT_FALSE(window->menuAction("mnuTrainTheMouse")->isVisible());
    EXPECT_FALSE(window->findChild<QMenu*>("mnuSurvey")->menuAction()->isVisible());
    EXPECT_TRUE(window->findChild<QMenu*>("mnuHelp")->menuAction()->isVisible());
    EXPECT_EQ(window->menuAction("mnuHelpInstall")->text(), "Installation && Setup");
    // The tray menu is not in the menu bar.
    for (QAction* action : window->menuBar()->actions()) {
        EXPECT_NE(action->text(), "Show kelvo");
    }
    QStringList trayItems;
    for (QAction* action : tray->menu()->actions()) {
        trayItems << action->text();
    }
    EXPECT_EQ(trayItems, (QStringList{"Mute/Activate Microphone", "Show kelvo", "Close kelvo"}));
    EXPECT_EQ(window->button("BtnExit")->text(), "&Quit kelvo");
}

TEST_F(MainWindowTest, TrayWithoutNotificationAreaIsSafe) {
    load();
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        GTEST_SKIP() << "this desktop has a tray";
    }
    EXPECT_FALSE(tray->isShown());
    // The icon stays wanted, so it appears when a panel with a tray starts
    // after the program.
    auto* icon = tray->findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->isVisible());
    logic->showBalloon(std::string(70, 't'), "text");
    tray->setAsleep(true);
    tray->removeIcon();
    EXPECT_EQ(tray->lastBalloon().first, std::string(64, 't'));
    // Show kelvo from the tray (or a start without a tray) shows the window.
    window->menuAction("mnuSysTrayshow")->trigger();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, TheListeningPictureAndTheTrayItemSleepOrWake) {
    int toggles = 0;
    hooks.toggleListening = [&] { ++toggles; };
    load();
    auto* picture = window->findChild<QLabel*>("pctListening");
    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_EQ(toggles, 1);
    window->menuAction("mnuMuteKelvo")->trigger();
    EXPECT_EQ(toggles, 2);
    // Not clicks: another button, or letting go away from the picture.
    QTest::mouseClick(picture, Qt::RightButton);
    QTest::mousePress(picture, Qt::LeftButton);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(picture->width() + 20, 5));
    EXPECT_EQ(toggles, 2);
}

TEST_F(MainWindowTest, AddedChatProgramIsSelectable) {
    load();
    ASSERT_EQ(window->chatProgramBox()->count(), 0);
    state.chatPrograms.push_back({"Talk", "talk"});
    window->addChatProgramItem("Talk");
    window->chatProgramBox()->setCurrentIndex(0);
    emit window->chatProgramBox()->activated(0);
    EXPECT_EQ(settings.readIni("Webcam", "Webcam", "", 150), "talk");
    EXPECT_EQ(window->findChild<QLabel*>("lblWebcamSelected")->text(), "Opens the program: Talk");
}

} // namespace
} // namespace kelvo
