#include "ui/main_window_menus.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_random_source.h"
#include "fakes/fake_shell.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "speech/speech_state.h"
#include "test_paths.h"
#include "ui/main_window.h"
#include "ui/qt_window_registry.h"
#include "ui/ui_test_helpers.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

void allActions(QMenu* menu, std::vector<QAction*>& out) {
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            allActions(action->menu(), out);
        } else if (!action->isSeparator()) {
            out.push_back(action);
        }
    }
}

class MainWindowMenusTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    fakes::FakeShell shell;
    fakes::FakeClock clock;
    fakes::FakeRandomSource random;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    SettingsFile settings{dir / "mouse.ini", errors};
    SpeechState speech;
    QuestionnaireState questionnaire;
    QtWindowRegistry windows;
    MainWindow window;
    std::vector<std::string> opened;
    std::unique_ptr<MainWindowMenus> menus;

    void SetUp() override {
        windows.registerWindow(kMainWindowName, [this]() -> QWidget* { return &window; });
        (void)windows.load(kMainWindowName);
        windows.registerWindow("frmabout", [] {
            auto* about = new QWidget;
            about->setObjectName("frmAbout");
            return about;
        });
        for (const char* file : {"commands.xml", "commands_customfree.xml"}) {
            fs::copy_file(fs::path(KELVO_RESOURCES_DIR) / "defaults" / file, dir / file);
        }
        ASSERT_TRUE(writeFileAtomically(settings.path(), "[Yazoo]\nDate=x\nRandom=a1a\n").ok());
        makeMenus({});
        window.show();
    }
    void makeMenus(MainWindowLinksHooks hooks) {
        menus.reset();
        menus = std::make_unique<MainWindowMenus>(
            MainWindowMenuServices{window, windows, boxes, settings, app, shell, clock, random,
                                   [this](const std::string& target) {
                                       opened.push_back(target);
                                       return shell_result::kStarted;
                                   },
                                   speech, questionnaire, KELVO_RESOURCES_DIR, dir.path()},
            std::move(hooks));
    }
    /// What the user can see came of a click: pages opened, boxes and
    /// notices shown, windows shown.
    size_t effects() {
        size_t shown = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            shown += widget != &window && widget->isVisible() ? 1 : 0;
        }
        return opened.size() + dialogs.shown.size() + shell.calls.size() + shown;
    }
    void closeOthers() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget != &window) {
                widget->hide();
            }
        }
        window.show();
    }
};

TEST_F(MainWindowMenusTest, EveryMenuItemAndHelpButtonShowsAPageADialogOrANotice) {
    std::vector<QAction*> actions;
    for (QAction* top : window.menuBar()->actions()) {
        if (top->menu()) {
            allActions(top->menu(), actions);
        } else {
            actions.push_back(top);
        }
    }
    EXPECT_EQ(actions.size(), 37u);
    for (QAction* action : actions) {
        const size_t before = effects();
        action->trigger();
        EXPECT_GT(effects(), before) << action->objectName().toStdString();
        closeOthers();
    }
    for (const MenuItem& item : mainWindowMenuItems()) {
        QPushButton* button = window.button(
            QString::fromUtf8(item.control.data(), static_cast<int>(item.control.size())));
        if (button == nullptr) {
            continue;
        }
        const size_t before = effects();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_GT(effects(), before) << button->objectName().toStdString();
        closeOthers();
    }
}

TEST_F(MainWindowMenusTest, AboutHidesTheMainWindowAndTheSurveyPromptShows) {
    window.menuAction("mnuAbout")->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_NE(testing::shownWindow("frmAbout"), nullptr);
    window.menuAction("mnuTakeSurvey")->trigger();
    QWidget* prompt = testing::shownWindow("frmTakeSurvey");
    ASSERT_NE(prompt, nullptr);
    testing::clickChild(prompt, "cmdYes");
    EXPECT_EQ(testing::shownWindow("frmTakeSurvey"), nullptr);
    EXPECT_TRUE(fs::exists(dir / "survey.html"));
    EXPECT_TRUE(std::find(app.calls.begin(), app.calls.end(), "quit") == app.calls.end());
}

TEST_F(MainWindowMenusTest, PicturesHoverAndTheLinksAct) {
    auto* indicator = window.findChild<QLabel*>("pctListening");
    speech.hearing = true;
    window.setListeningImage(1);
    const QImage plain = indicator->pixmap().toImage();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(indicator, &enter);
    EXPECT_NE(indicator->pixmap().toImage(), plain);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(indicator, &leave);
    EXPECT_EQ(indicator->pixmap().toImage(), plain);
    EXPECT_EQ(indicator->cursor().shape(), Qt::PointingHandCursor);

    auto* logo = window.findChild<QLabel*>("pictjajah");
    const QImage normal = logo->pixmap().toImage();
    QApplication::sendEvent(logo, &enter);
    EXPECT_NE(logo->pixmap().toImage(), normal);
    QApplication::sendEvent(logo, &leave);
    EXPECT_EQ(logo->pixmap().toImage(), normal);
    QTest::mouseClick(logo, Qt::LeftButton);
    EXPECT_EQ(opened, (std::vector<std::string>{"https://jajah.example.org/"}));

    QTest::mouseClick(window.locationLabel(), Qt::LeftButton);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].message.find("Local Search Settings"), std::string::npos);

    QTreeWidget* custom = window.list(ListId::Custom);
    custom->setColumnCount(2);
    QTest::mouseDClick(custom->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].message, "An item was not selected.");
}

TEST_F(MainWindowMenusTest, AnAdPaneOpensItsCouponOnAPressOnly) {
    MainWindowLinksHooks hooks;
    hooks.adCoupon = [](int pane) {
        return AdCoupon{"https://coupon.example/" + std::to_string(pane), "coupon.gif"};
    };
    makeMenus(std::move(hooks));
    auto* pane = window.findChild<QAbstractScrollArea*>("WebBrowser2");
    ASSERT_NE(pane, nullptr);
    pane->show();
    // The focus comes back to the pane whenever the window is activated.
    QFocusEvent focusIn(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(pane, &focusIn);
    QApplication::sendEvent(pane->viewport(), &focusIn);
    EXPECT_TRUE(opened.empty());
    QTest::mouseClick(pane->viewport(), Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<std::string>{"https://coupon.example/1"});
}

} // namespace
} // namespace kelvo
