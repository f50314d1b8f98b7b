#include "windows/create_profile_wizard_logic.h"

#include "fakes/profile_wizard_rig.h"

#include <gtest/gtest.h>

#include <map>

namespace kelvo {
namespace {

struct FakeCreateView : CreateProfileWizardView {
    void setTitle(const std::string& text) override { title = text; }
    void setFrameVisible(CreateProfileFrame frame, bool visible) override {
        frames[frame] = visible;
    }
    void setStepTitleVisible(int step, bool visible) override { stepTitles[step] = visible; }
    void setButtonCaption(const std::string& text) override { button = text; }
    std::string profileName() const override { return name; }
    void setProfileName(const std::string& text) override { name = text; }
    bool makeDefaultChecked() const override { return makeDefault; }
    void setMakeDefaultChecked(bool checked) override { makeDefault = checked; }
    void setHelpImage(int image) override { helpImage = image; }
    void closeWindow() override { ++closed; }

    std::string title, button, name;
    std::map<CreateProfileFrame, bool> frames;
    std::map<int, bool> stepTitles;
    bool makeDefault = false;
    int helpImage = 0;
    int closed = 0;
};

struct CreateWizard : ::testing::Test {
    void load(const std::string& mode, const std::string& first = "x") {
        rig.speech.profileDialogMode = mode;
        ASSERT_TRUE(rig.settings.writeIni("Ohio", "First", first));
        logic.formLoad();
    }
    fakes::ProfileWizardRig rig;
    FakeCreateView view;
    CreateProfileWizardLogic logic{view, rig.services};
};

TEST_F(CreateWizard, FirstRunClosedWithoutAProfileEndsTheFirstRun) {
    load("FirstTime");
    EXPECT_EQ(view.title, "Initial Setup Of kelvo");
    EXPECT_TRUE(view.frames[CreateProfileFrame::Introduction]);
    EXPECT_FALSE(view.frames[CreateProfileFrame::Name]);
    EXPECT_TRUE(rig.speech.profileDialogMode.empty());

    logic.formUnload();
    EXPECT_EQ(rig.settings.readIni("Ohio", "First", "abc", 3), "10");
    EXPECT_EQ(rig.profiles.calls, std::vector<std::string>{"listening grammar"});
    EXPECT_EQ(rig.windows.calls.front(), "show mouse");
}

TEST_F(CreateWizard, LaterRunsKeepTheMarkerAndTheGrammar) {
    load("", "10");
    EXPECT_EQ(view.title, "Create A Recognition Profile");
    logic.formUnload();
    EXPECT_TRUE(rig.profiles.calls.empty());
    EXPECT_EQ(rig.windows.calls.front(), "show mouse");
}

TEST_F(CreateWizard, BadNamesKeepTheNameStep) {
    load("FirstTime");
    logic.buttonClicked();
    ASSERT_EQ(logic.step(), 1);
    for (const std::string& bad :
         {std::string(), std::string("   "), std::string("../x"), std::string("a/b"),
          std::string("a\\b"), std::string("tab\there"), std::string(65, 'a')}) {
        view.name = bad;
        logic.buttonClicked();
        EXPECT_EQ(logic.step(), 1) << bad;
    }
    EXPECT_EQ(rig.notices().size(), 7u);
    EXPECT_EQ(rig.notices().front(), "You must enter a name for your new recognition profile|");
    EXPECT_TRUE(rig.profiles.calls.empty());
}

// The default profile is stored in a one-byte character set: a name it
// cannot hold would never be found again.
TEST_F(CreateWizard, NamesTheStoredDefaultCannotHoldAreRefusedInABox) {
    load("");
    logic.buttonClicked();
    for (const char* bad : {"Анна", "Zoë 李", "\xF0\x9F\x98\x80"}) {
        view.name = bad;
        logic.buttonClicked();
        EXPECT_EQ(logic.step(), 1) << bad;
    }
    ASSERT_EQ(rig.dialogs.shown.size(), 3u);
    EXPECT_EQ(rig.dialogs.shown[1].kind, "modal");
    EXPECT_EQ(rig.dialogs.shown[1].title, create_profile_text::kCaption);
    EXPECT_NE(rig.dialogs.shown[1].message.find("\"李\""), std::string::npos);
    view.name = "Zoë Müller €";
    logic.buttonClicked();
    EXPECT_EQ(logic.step(), 2);
    EXPECT_EQ(rig.dialogs.shown.size(), 3u);
}

TEST_F(CreateWizard, TheThirdClickCreatesWithTheDefaultChoiceAndCloses) {
    load("FirstTime");
    logic.buttonClicked();
    view.name = "Ann";
    logic.buttonClicked();
    EXPECT_EQ(view.button, "Create Profile");
    EXPECT_TRUE(view.frames[CreateProfileFrame::Configure]);
    EXPECT_TRUE(view.stepTitles[3]);
    logic.defaultLabelClicked();
    logic.buttonClicked();
    EXPECT_EQ(rig.profiles.calls, std::vector<std::string>{"CreateProfile Ann default"});
    EXPECT_EQ(view.closed, 1);
    logic.buttonClicked();
    EXPECT_EQ(rig.profiles.calls.size(), 1u);
}

TEST_F(CreateWizard, HelpPictureHoverAndClick) {
    load("");
    EXPECT_EQ(view.helpImage, 1);
    logic.helpHovered();
    EXPECT_EQ(view.helpImage, 2);
    logic.backdropHovered();
    EXPECT_EQ(view.helpImage, 1);
    logic.helpClicked();
    EXPECT_EQ(rig.helpOpened, std::vector<std::string>{"training.html"});
}

} // namespace
} // namespace kelvo
