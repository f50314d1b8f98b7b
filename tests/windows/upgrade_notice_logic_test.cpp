#include "windows/upgrade_notice_logic.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_dialog_views.h"
#include "fakes/fake_shell.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(UpgradeNoticeLogic, OnlyAWebAddressCountsAsOne) {
    const struct {
        const char* address;
        bool web;
    } cases[] = {
        {"https://kelvo.example.org/new", true},
        {"HTTP://example.org", true},
        {"http://", false},
        {"http:// x", false},
        {"file:///etc/passwd", false},
        {"/usr/bin/xterm", false},
        {"ftp://example.org", false},
        {"javascript:alert(1)", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isHttpAddress(c.address), c.web) << c.address;
    }
}

TEST(UpgradeNoticeLogic, ShowsTheMessageOpensOnlyWebLinksAndClosesWithTheHourglass) {
    fakes::FakeShell shell;
    AddressOpener opener(shell, BrowserWindowCheck{});
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes(boxState, dialogs, app);
    fakes::FakeUpgradeNoticeView view;
    UpgradeNoticeLogic logic(view, opener, boxes);

    view.duringModal = [&] {
        EXPECT_FALSE(view.busy);
        logic.linkClicked();
        EXPECT_TRUE(view.open);
        logic.timerFired();
    };
    logic.showModal("<b>Version 3</b> is out", "file:///home/user/run.sh");
    EXPECT_EQ(view.message, "<b>Version 3</b> is out");
    EXPECT_EQ(view.linkText, "Click Here For More Information");
    EXPECT_EQ(view.timerMs, 10000);
    EXPECT_TRUE(view.busy);
    EXPECT_FALSE(view.open);
    EXPECT_TRUE(shell.calls.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);

    view.duringModal = [&] { logic.linkClicked(); };
    logic.showModal("Version 3", "https://kelvo.example.org/new");
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].target, "https://kelvo.example.org/new");
    EXPECT_TRUE(view.open);
}

} // namespace
} // namespace kelvo
