#include "windows/select_profile_wizard_logic.h"

#include "fakes/profile_wizard_rig.h"
#include "services/hex_coding.h"
#include "windows/profile_properties_logic.h"
#include "windows/train_profile_window_logic.h"

#include <gtest/gtest.h>

#include <map>

namespace kelvo {
namespace {

/// The select and train windows' shared parts, recorded.
struct FakeListView : virtual ProfileListView {
    void setCaption(const std::string& text) override { captionText = text; }
    std::string caption() const override { return captionText; }
    void setTitle(const std::string& text) override { title = text; }
    void setInstructions(const std::string& text) override { instructions = text; }
    void setButtonCaption(const std::string& text) override { button = text; }
    void setProfiles(const std::vector<std::string>& names) override { list = names; }
    std::string selectedProfile() const override { return selected; }
    void setCurrentProfileText(const std::string& text) override { current = text; }
    void setDefaultProfileText(const std::string& text) override { byDefault = text; }
    void closeWindow() override { ++closed; }

    std::string captionText, title, instructions, button, selected, current, byDefault;
    std::vector<std::string> list;
    int closed = 0;
};

struct FakeSelectView : FakeListView, SelectProfileWizardView {
    void setFrameVisible(SelectProfileFrame frame, bool visible) override {
        frames[frame] = visible;
    }
    bool makeDefaultChecked() const override { return makeDefault; }
    void setMakeDefaultChecked(bool checked) override { makeDefault = checked; }
    bool trainChecked() const override { return train; }
    void setTrainChecked(bool checked) override { train = checked; }

    std::map<SelectProfileFrame, bool> frames;
    bool makeDefault = false;
    bool train = false;
};

struct FakeTrainView : FakeListView, TrainProfileWindowView {
    void setFrameVisible(TrainProfileFrame, bool) override {}
};

struct FakePropertiesView : ProfilePropertiesView {
    void setDefaultProfileText(const std::string& text) override { byDefault = text; }
    void setCurrentProfileText(const std::string& text) override { current = text; }
    void closeWindow() override { ++closed; }
    std::string byDefault, current;
    int closed = 0;
};

struct ProfileWindows : ::testing::Test {
    void SetUp() override {
        rig.profiles.profiles = {"Ann - e0", "", "Bob - e0"};
        rig.profiles.current = "Ann - e0";
    }
    fakes::ProfileWizardRig rig;
};

TEST_F(ProfileWindows, AMissingDefaultIsNamedWhole) {
    rig.speech.profileDialogMode = "MissingDefault - Ann - e0";
    FakeSelectView view;
    SelectProfileWizardLogic logic{view, rig.services};
    logic.formLoad();
    EXPECT_EQ(missingProfileName("MissingDefault - Ann - e0"), "Ann - e0");
    EXPECT_EQ(view.captionText, "Select a Different Profile - Unable To Find Profile 'Ann - e0'");
    EXPECT_EQ(rig.notices(),
              std::vector<std::string>{
                  "kelvo couldn't find the profile 'Ann - e0'.|Please select a "
                  "different profile for kelvo to automatically use when it starts"});
    EXPECT_TRUE(rig.speech.profileDialogMode.empty());
    // Empty slots are left out.
    EXPECT_EQ(view.list, (std::vector<std::string>{"Ann - e0", "Bob - e0"}));
    EXPECT_EQ(view.current, "Your Current Profile: Ann - e0");
    EXPECT_EQ(view.byDefault, "The Profile That kelvo Uses By Default: ");
}

TEST_F(ProfileWindows, NextWithNothingSelectedKeepsTheStepThenTheWizardSwitches) {
    rig.speech.profileDialogMode = "Select";
    FakeSelectView view;
    SelectProfileWizardLogic logic{view, rig.services};
    logic.formLoad();
    EXPECT_EQ(view.captionText, "Select a Different Profile - Change Settings");
    logic.buttonClicked();
    EXPECT_EQ(logic.step(), 0);
    EXPECT_EQ(rig.notices(), std::vector<std::string>{"You must select a profile|"});
    EXPECT_TRUE(view.frames[SelectProfileFrame::List]);

    view.selected = "Bob - e0";
    logic.buttonClicked();
    EXPECT_EQ(logic.step(), 1);
    EXPECT_TRUE(view.frames[SelectProfileFrame::MakeDefault]);
    EXPECT_FALSE(view.frames[SelectProfileFrame::List]);
    logic.defaultLabelClicked();
    logic.buttonClicked();
    EXPECT_EQ(view.button, "Select Profile");
    view.train = true;
    logic.buttonClicked();
    EXPECT_EQ(rig.profiles.calls, std::vector<std::string>{"ChangeProfile Bob - e0 default train"});
    EXPECT_EQ(rig.notices().back(), "kelvo will now start listening using the profile|'Bob - e0'");
    EXPECT_EQ(view.closed, 1);
}

TEST_F(ProfileWindows, AFailedSwitchIsNotCalledASwitch) {
    rig.profiles.fail = true;
    FakeTrainView view;
    TrainProfileWindowLogic logic{view, rig.services};
    logic.formLoad();
    logic.buttonClicked();
    EXPECT_EQ(rig.notices(), std::vector<std::string>{"You must select a profile to train|"});
    view.selected = "Bob - e0";
    logic.buttonClicked();
    EXPECT_EQ(rig.profiles.calls, std::vector<std::string>{"TrainProfile Bob - e0"});
    EXPECT_EQ(rig.notices().size(), 1u);
    EXPECT_EQ(view.closed, 1);
}

TEST_F(ProfileWindows, PropertiesWithAndWithoutADefault) {
    FakePropertiesView view;
    ProfilePropertiesLogic logic{view, rig.services};
    logic.formLoad();
    EXPECT_EQ(view.byDefault, "(Not Set - click the 'Change Settings' button to choose a profile)");
    EXPECT_EQ(view.current, "Ann - e0");

    ASSERT_TRUE(rig.settings.writeIni("Parallax", "visual", stringToHex("Bob - e0")));
    logic.formLoad();
    EXPECT_EQ(view.byDefault, "Bob - e0");
    std::string modeShown;
    rig.windows.onShow["frmselectprofile"] = [&] { modeShown = rig.speech.profileDialogMode; };
    logic.changeSettingsClicked();
    EXPECT_EQ(modeShown, "Select");
    EXPECT_EQ(rig.speech.profileDialogMode, "");
    logic.formUnload();
    EXPECT_EQ(rig.windows.calls, std::vector<std::string>{"show frmselectprofile"});
}

// Taken as not set, as the start-up takes it; the error window's OK ended
// the program over a value the user can set again here.
TEST_F(ProfileWindows, ADamagedStoredDefaultIsNotSet) {
    ASSERT_TRUE(rig.settings.writeIni("Parallax", "visual", "ZZ"));
    FakePropertiesView properties;
    ProfilePropertiesLogic{properties, rig.services}.formLoad();
    EXPECT_EQ(properties.byDefault, profile_properties_text::kNotSet);
    FakeSelectView select;
    SelectProfileWizardLogic{select, rig.services}.formLoad();
    EXPECT_EQ(select.byDefault, "The Profile That kelvo Uses By Default: ");
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

} // namespace
} // namespace kelvo
