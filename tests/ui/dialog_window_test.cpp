// The small windows as shown: their timers, plain-text labels, and a modal
// wait that ends however the window is closed.
#include "ui/conflicts_notice_window.h"
#include "ui/splash_window.h"
#include "ui/upgrade_notice_window.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_shell.h"
#include "fakes/temp_dir.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace kelvo {
namespace {

struct Shown {
    int timerMs = 0;
    bool timerActive = false;
    QString label;
    Qt::TextFormat format = Qt::AutoText;
};

// Shows a window modally, looks at it once shown, then closes it as the user
// would with the window's close button; true when the wait returned and the
// window went.
template <class Window>
bool showAndClose(Window* window, const char* labelName, const std::function<void()>& show,
                  Shown& seen) {
    QPointer<Window> alive(window);
    QTimer::singleShot(0, [&] {
        seen.timerMs = window->timer().interval();
        seen.timerActive = window->timer().isActive();
        if (auto* label = window->template findChild<QLabel*>(labelName)) {
            seen.label = label->text();
            seen.format = label->textFormat();
        }
        window->close();
    });
    show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return alive.isNull();
}

TEST(DialogWindow, NoticesShowPlainTextAndCloseOnTheirOwnTime) {
    fakes::FakeShell shell;
    AddressOpener opener(shell, BrowserWindowCheck{});
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes(boxState, dialogs, app);
    const std::string markup = "<b>Version 3</b> & more";

    Shown upgrade;
    auto* notice = new UpgradeNoticeWindow(opener, boxes);
    EXPECT_TRUE(showAndClose(
        notice, "lblmessage", [&] { notice->logic().showModal(markup, "https://a.example"); },
        upgrade));
    Shown conflicts;
    auto* renamed = new ConflictsNoticeWindow();
    EXPECT_TRUE(showAndClose(
        renamed, "lblMsg", [&] { renamed->logic().showModal(markup); }, conflicts));

    for (const auto& [seen, ms] : {std::pair{upgrade, 10000}, std::pair{conflicts, 15000}}) {
        EXPECT_EQ(seen.timerMs, ms);
        EXPECT_TRUE(seen.timerActive);
        EXPECT_EQ(seen.label.toStdString(), markup);
        EXPECT_EQ(seen.format, Qt::PlainText);
    }
}

TEST(DialogWindow, SplashWaitsFiveSecondsAndItsBoxWritesTheSetting) {
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    Shown seen;
    auto* splash = new SplashWindow(dir.path(), errors);
    QTest::mouseClick(splash->findChild<QCheckBox*>("ckSplash"), Qt::LeftButton);
    EXPECT_TRUE(showAndClose(
        splash, "", [&] { splash->logic().showModal(); }, seen));
    EXPECT_EQ(seen.timerMs, 5000);
    EXPECT_EQ(SettingsFile(dir / "mouse.ini", errors).readIni("Splash", "DisplayOnStart", "", 9),
              "False");
    EXPECT_TRUE(errors.reports.empty());
}

} // namespace
} // namespace kelvo
