#include "ui/create_profile_wizard_window.h"
#include "ui/profile_properties_window.h"
#include "ui/qt_window_registry.h"
#include "ui/select_profile_wizard_window.h"

#include "fakes/profile_wizard_rig.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace kelvo {
namespace {

template <typename T> T* child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(ProfileWindows, TheFirstRunWizardShowsItsTitleAndClosingItEndsTheFirstRun) {
    fakes::ProfileWizardRig rig;
    ASSERT_TRUE(rig.settings.writeIni("Ohio", "First", "x"));
    rig.speech.profileDialogMode = "FirstTime";
    QPointer<CreateProfileWizardWindow> window = new CreateProfileWizardWindow(rig.services);
    window->show();
    EXPECT_EQ(window->windowTitle(), "kelvo - Create A Recognition Profile");
    EXPECT_EQ(child<QLabel>(*window, "lblTitle")->text(), "Initial Setup Of kelvo");

    child<QPushButton>(*window, "cmdCreateProfile")->click();
    EXPECT_TRUE(child<QLineEdit>(*window, "txtProfileName")->isVisible());
    child<QPushButton>(*window, "cmdCreateProfile")->click();
    EXPECT_EQ(rig.notices().size(), 1u);

    window->close();
    EXPECT_EQ(rig.settings.readIni("Ohio", "First", "abc", 3), "10");
    EXPECT_EQ(rig.profiles.calls, std::vector<std::string>{"listening grammar"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(ProfileWindows, TheSelectWizardListsProfilesAndWaitsForASelection) {
    fakes::ProfileWizardRig rig;
    rig.profiles.profiles = {"Ann - e0", "Bob - e0"};
    auto* window = new SelectProfileWizardWindow(rig.services);
    window->show();
    auto* list = child<QListWidget>(*window, "listProfileList");
    ASSERT_EQ(list->count(), 2);
    child<QPushButton>(*window, "cmdSelectProfile")->click();
    EXPECT_TRUE(list->isVisible());
    list->item(1)->setSelected(true);
    child<QPushButton>(*window, "cmdSelectProfile")->click();
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(child<QWidget>(*window, "fmSelectProfile2")->isVisible());
    window->close();
}

TEST(ProfileWindows, AWizardShownAgainAfterHandingOverStartsOver) {
    fakes::ProfileWizardRig rig;
    rig.profiles.profiles = {"Ann - e0"};
    auto* window = new SelectProfileWizardWindow(rig.services);
    window->show();
    auto* list = child<QListWidget>(*window, "listProfileList");
    list->item(0)->setSelected(true);
    child<QPushButton>(*window, "cmdSelectProfile")->click();
    child<QCheckBox>(*window, "ckDefault")->setChecked(true);
    // Hidden while the create wizard makes a profile, then shown again.
    window->hide();
    rig.profiles.profiles.push_back("Bob - e0");
    window->show();
    EXPECT_EQ(list->count(), 2);
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_FALSE(child<QCheckBox>(*window, "ckDefault")->isChecked());
    EXPECT_EQ(child<QPushButton>(*window, "cmdSelectProfile")->text(), "Next");
    window->close();
}

TEST(ProfileWindows, AWizardAskedForAgainWhileOpenComesToTheFrontStartedOver) {
    fakes::ProfileWizardRig rig;
    rig.profiles.profiles = {"Ann - e0"};
    QtWindowRegistry windows;
    const ProfileWizardServices services{rig.profiles, rig.settings, rig.boxes,
                                         rig.speech,   windows,      {}};
    windows.registerWindow("mouse", [] { return new QWidget; });
    windows.registerWindow(kSelectProfileWindowName,
                           [&services] { return new SelectProfileWizardWindow(services); });
    windows.registerWindow(kCreateProfileWindowName,
                           [&services] { return new CreateProfileWizardWindow(services); });

    windows.showWindow(kSelectProfileWindowName);
    QWidget* select = windows.loaded(kSelectProfileWindowName);
    auto* list = child<QListWidget>(*select, "listProfileList");
    list->item(0)->setSelected(true);
    child<QPushButton>(*select, "cmdSelectProfile")->click();
    windows.showWindow(kCreateProfileWindowName);
    QWidget* create = windows.loaded(kCreateProfileWindowName);
    child<QPushButton>(*create, "cmdCreateProfile")->click();
    // A profile made meanwhile; the main window has the focus.
    rig.profiles.profiles.push_back("Bob - e0");
    windows.showWindow("mouse");
    windows.bringToFront("mouse");
    ASSERT_TRUE(QTest::qWaitForWindowActive(windows.loaded("mouse")));

    windows.showWindow(kSelectProfileWindowName);
    EXPECT_TRUE(QTest::qWaitForWindowActive(select));
    EXPECT_EQ(list->count(), 2);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(child<QPushButton>(*select, "cmdSelectProfile")->text(), "Next");
    windows.showWindow(kCreateProfileWindowName);
    EXPECT_TRUE(QTest::qWaitForWindowActive(create));
    EXPECT_FALSE(child<QLineEdit>(*create, "txtProfileName")->isVisible());
}

TEST(ProfileWindows, AWizardStaysWhileItsProfileActionRuns) {
    fakes::ProfileWizardRig rig;
    QPointer<CreateProfileWizardWindow> window = new CreateProfileWizardWindow(rig.services);
    window->show();
    rig.profiles.duringAction = [&] {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(window.isNull());
        EXPECT_TRUE(window->isVisible());
    };
    child<QPushButton>(*window, "cmdCreateProfile")->click();
    child<QLineEdit>(*window, "txtProfileName")->setText("Ann");
    child<QPushButton>(*window, "cmdCreateProfile")->click();
    child<QPushButton>(*window, "cmdCreateProfile")->click();
    ASSERT_EQ(rig.profiles.calls.size(), 1u);
    EXPECT_FALSE(window->isVisible());
}

TEST(ProfileWindows, PropertiesSayWhenNoDefaultIsSet) {
    fakes::ProfileWizardRig rig;
    auto* window = new ProfilePropertiesWindow(rig.services);
    EXPECT_EQ(child<QLabel>(*window, "lblDefaultProfiles")->text(),
              "(Not Set - click the 'Change Settings' button to choose a profile)");
    child<QPushButton>(*window, "Command1")->click();
    EXPECT_EQ(rig.windows.calls.front(), "show mouse");
}

} // namespace
} // namespace kelvo
