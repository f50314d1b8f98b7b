#include "ui/qt_window_registry.h"

#include "services/window_services.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

using Names = std::vector<std::string>;

// A window that may refuse to close, and counts how often it was made.
class TestWindow final : public QWidget {
public:
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (refuseClose) {
            event->ignore();
        } else {
            event->accept();
        }
    }
};

void runDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class QtWindowRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Mouse", "frmCustomEdit", "frmAbout", "frmImport"}) {
            registry.registerWindow(name, [this, name] {
                ++made[name];
                return new TestWindow;
            });
        }
    }

    QtWindowRegistry registry;
    std::map<std::string, int> made;
};

TEST_F(QtWindowRegistryTest, ShowLoadsOnceAndKeepsTheLoadOrder) {
    registry.showWindow("frmcustomedit");
    registry.showWindow("MOUSE");
    registry.showWindow("frmCustomEdit");
    EXPECT_EQ(registry.loadedWindows(), (Names{"frmcustomedit", "mouse"}));
    EXPECT_EQ(made["frmCustomEdit"], 1);
    ASSERT_NE(registry.loaded("mouse"), nullptr);
    EXPECT_TRUE(registry.loaded("mouse")->isVisible());
}

TEST_F(QtWindowRegistryTest, UnknownNamesAreIgnored) {
    registry.showWindow("frmNoSuchWindow");
    registry.hideWindow("frmNoSuchWindow");
    registry.unloadWindow("frmNoSuchWindow");
    EXPECT_FALSE(registry.setWindowTopMost("frmNoSuchWindow", true));
    EXPECT_TRUE(registry.loadedWindows().empty());
}

TEST_F(QtWindowRegistryTest, HideKeepsTheWindowLoaded) {
    registry.showWindow("mouse");
    registry.hideWindow("mouse");
    ASSERT_NE(registry.loaded("mouse"), nullptr);
    EXPECT_FALSE(registry.loaded("mouse")->isVisible());
    EXPECT_EQ(registry.loadedWindows(), Names{"mouse"});
}

TEST_F(QtWindowRegistryTest, UnloadClosesAndDestroysTheWindow) {
    registry.showWindow("frmabout");
    QPointer<QWidget> window = registry.loaded("frmabout");
    registry.unloadWindow("FRMABOUT");
    EXPECT_TRUE(registry.loadedWindows().empty());
    runDeferredDeletes();
    EXPECT_TRUE(window.isNull());
    registry.showWindow("frmabout");
    EXPECT_EQ(made["frmAbout"], 2);
}

TEST_F(QtWindowRegistryTest, AWindowThatRefusesToCloseStaysLoaded) {
    auto* window = static_cast<TestWindow*>(registry.load("frmcustomedit"));
    window->show();
    window->refuseClose = true;
    registry.unloadWindow("frmcustomedit");
    EXPECT_EQ(registry.loadedWindows(), Names{"frmcustomedit"});
    EXPECT_TRUE(window->isVisible());
}

TEST_F(QtWindowRegistryTest, AWindowDestroyedElsewhereIsNoLongerLoaded) {
    registry.showWindow("frmabout");
    delete registry.loaded("frmabout");
    EXPECT_TRUE(registry.loadedWindows().empty());
    EXPECT_EQ(registry.loaded("frmabout"), nullptr);
}

TEST_F(QtWindowRegistryTest, TopMostSwitchesTheStayOnTopHintAndShows) {
    QWidget* window = registry.load("mouse");
    ASSERT_FALSE(window->isVisible());
    EXPECT_TRUE(registry.setWindowTopMost("mouse", true));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(registry.setWindowTopMost("mouse", false));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(QtWindowRegistryTest, TopMostOfAWindowNotLoadedFails) {
    EXPECT_FALSE(registry.setWindowTopMost("mouse", true));
    EXPECT_TRUE(registry.loadedWindows().empty());
}

TEST_F(QtWindowRegistryTest, BringFormToFrontShowsAndLeavesItNotTopMost) {
    registry.load("mouse");
    bringFormToFront(registry, "mouse");
    QWidget* window = registry.loaded("mouse");
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(QtWindowRegistryTest, CloseSecondaryFormsKeepsAndShowsOnlyTheKeptWindows) {
    registry.showWindow("frmcustomedit");
    registry.load("mouse");
    registry.load("frmimport");
    registry.showWindow("frmabout");
    closeSecondaryForms(registry);
    EXPECT_EQ(registry.loadedWindows(), (Names{"mouse", "frmimport"}));
    EXPECT_TRUE(registry.loaded("mouse")->isVisible());
    EXPECT_TRUE(registry.loaded("frmimport")->isVisible());
}

TEST_F(QtWindowRegistryTest, HideAllFormsHidesTheKeptWindows) {
    registry.showWindow("mouse");
    registry.showWindow("frmabout");
    hideAllForms(registry);
    EXPECT_EQ(registry.loadedWindows(), Names{"mouse"});
    EXPECT_FALSE(registry.loaded("mouse")->isVisible());
}

} // namespace
} // namespace kelvo
