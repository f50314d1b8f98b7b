#include "services/window_services.h"

#include "fakes/fake_window_registry.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using Calls = std::vector<std::string>;

TEST(WindowServicesTest, KeptWindowsAreTheMainWindowAndTheBookmarkDialogs) {
    EXPECT_TRUE(isKeptWindow("mouse"));
    EXPECT_TRUE(isKeptWindow("frmmatchbookmarks"));
    EXPECT_TRUE(isKeptWindow("frmimport"));
    EXPECT_FALSE(isKeptWindow("Mouse")); // the registry hands out lower case
    EXPECT_FALSE(isKeptWindow("frmcustomedit"));
    EXPECT_FALSE(isKeptWindow(""));
}

TEST(WindowServicesTest, CloseSecondaryFormsWithOnlyTheMainWindow) {
    fakes::FakeWindowRegistry windows;
    windows.load("mouse", false);
    closeSecondaryForms(windows);
    EXPECT_EQ(windows.calls, (Calls{"show mouse", "front mouse"}));
    EXPECT_TRUE(windows.shown("mouse"));
}

TEST(WindowServicesTest, CloseSecondaryFormsUnloadsOthersAndRaisesTheKeptOnes) {
    fakes::FakeWindowRegistry windows;
    windows.load("mouse");
    windows.load("frmabout");
    windows.load("frmimport", false);
    windows.load("frmcustomedit");
    closeSecondaryForms(windows);
    EXPECT_EQ(windows.calls, (Calls{"unload frmabout", "unload frmcustomedit", "show mouse",
                                    "front mouse", "show frmimport", "front frmimport"}));
    EXPECT_EQ(windows.loadedWindows(), (Calls{"mouse", "frmimport"}));
    EXPECT_FALSE(windows.loaded("frmmatchbookmarks")); // not loaded by the call
}

TEST(WindowServicesTest, HideAllFormsHidesTheKeptOnesThatAreLoaded) {
    fakes::FakeWindowRegistry windows;
    windows.load("mouse");
    windows.load("frmmatchbookmarks");
    windows.load("frmsplash");
    hideAllForms(windows);
    EXPECT_EQ(windows.calls, (Calls{"unload frmsplash", "hide frmmatchbookmarks", "hide mouse"}));
    EXPECT_FALSE(windows.shown("mouse"));
    EXPECT_FALSE(windows.shown("frmmatchbookmarks"));
    EXPECT_TRUE(windows.loaded("mouse"));
}

TEST(WindowServicesTest, AWindowUnloadedByAnotherIsNotUnloadedTwice) {
    fakes::FakeWindowRegistry windows;
    windows.load("mouse");
    windows.load("frmselectprofile");
    windows.load("frmtrainingnotice");
    windows.onUnload["frmselectprofile"] = [&] { windows.unloadWindow("frmtrainingnotice"); };
    hideAllForms(windows);
    EXPECT_EQ(windows.calls,
              (Calls{"unload frmselectprofile", "unload frmtrainingnotice", "hide mouse"}));
}

TEST(WindowServicesTest, BringFormToFrontGoesTopmostAndBackThenToTheFront) {
    fakes::FakeWindowRegistry windows;
    windows.load("frmimport", false);
    bringFormToFront(windows, "frmimport");
    EXPECT_EQ(windows.calls, (Calls{"show frmimport", "topmost frmimport on",
                                    "topmost frmimport off", "back frmimport", "front frmimport"}));
    EXPECT_TRUE(windows.shown("frmimport"));
}

TEST(WindowServicesTest, SetTopMostPassesTheAnswerOn) {
    fakes::FakeWindowRegistry windows;
    windows.load("mouse");
    EXPECT_TRUE(setTopMost(windows, "mouse", true));
    windows.topMostResult = false;
    EXPECT_FALSE(setTopMost(windows, "mouse", false));
    EXPECT_FALSE(setTopMost(windows, "frmabout", true));
    EXPECT_EQ(windows.calls,
              (Calls{"topmost mouse on", "topmost mouse off", "topmost frmabout on"}));
}

} // namespace
} // namespace kelvo
