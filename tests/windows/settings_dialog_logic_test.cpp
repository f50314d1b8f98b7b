// The social-login, local-search and VoIP settings dialogs.

#include "windows/local_search_settings_logic.h"
#include "windows/social_setup_logic.h"
#include "windows/voip_settings_logic.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/fake_form_views.h"
#include "fakes/fake_window_registry.h"
#include "fakes/temp_dir.h"
#include "services/text_crypto.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kelvo {
namespace {

struct DialogRig {
    std::string read(const char* section, const char* key) {
        return settings.readIni(section, key, "(none)", 2000);
    }
    std::string decrypted(const char* section, const char* key) {
        auto plain = tryDecryptText(read(section, key), kSocialLoginPassphrase);
        return plain ? *plain : "(unreadable)";
    }
    std::vector<std::string> boxMessages() const {
        std::vector<std::string> messages;
        for (const auto& shown : dialogs.shown) {
            messages.push_back(shown.message);
        }
        return messages;
    }

    fakes::TempDir dir;
    fakes::FakeErrorSink settingsErrors;
    SettingsFile settings{dir / "mouse.ini", settingsErrors};
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    fakes::FakeWindowRegistry windows;
    fakes::FakeFeedbackPort feedback;
};

TEST(SocialSetupLogic, OneHalfWarnsThenStoresWhatIsThereEncrypted) {
    DialogRig rig;
    fakes::FakeSocialSetupView view;
    SocialSetupLogic logic(view, rig.settings, rig.boxes, rig.windows);
    ASSERT_TRUE(rig.settings.writeIni("Flatrock", "b",
                                      tryEncryptText("old pass", kSocialLoginPassphrase).value()));
    logic.formLoad();
    EXPECT_EQ(view.boxes[SocialSetupBox::PasswordFacebook], "old pass");

    view.boxes[SocialSetupBox::UserFacebook] = "me@example.org";
    view.boxes[SocialSetupBox::PasswordFacebook] = ""; // cleared: keeps its value
    view.boxes[SocialSetupBox::UserMyspace] = "";
    logic.saveClicked();
    EXPECT_EQ(rig.boxMessages(), std::vector<std::string>{"You must fill enter both your Facebook "
                                                          "username and password"});
    EXPECT_EQ(rig.decrypted("Flatrock", "a"), "me@example.org");
    EXPECT_EQ(rig.decrypted("Flatrock", "b"), "old pass");
    EXPECT_EQ(rig.read("Miami", "a"), "(none)");
    EXPECT_EQ(rig.read("Flatrock", "a").find("me@"), std::string::npos) << "stored encrypted";
    EXPECT_EQ(view.closed, 1);
    struct stat info {};
    ASSERT_EQ(stat(rig.settings.path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u) << "the settings file stays the user's alone";

    logic.formUnload();
    EXPECT_EQ(rig.windows.calls, std::vector<std::string>{"show mouse"});
}

TEST(LocalSearchSettingsLogic, HomeIsRequiredAndBecomesTheCurrentLocation) {
    DialogRig rig;
    fakes::FakeLocalSearchSettingsView view;
    std::vector<std::string> help;
    LocalSearchSettingsLogic logic(view, rig.settings, rig.boxes, rig.windows, rig.feedback,
                                   [&help](const std::string& topic) { help.push_back(topic); });
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "office", "x"));
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "cafe", "Austin, TX"));
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "location", "Austin, TX"));
    logic.formLoad();
    EXPECT_EQ(view.boxes[PlaceBox::Office], "") << "x shows as an empty box";
    EXPECT_EQ(view.boxes[PlaceBox::Cafe], "Austin, TX");
    EXPECT_EQ(view.currentLocation, "Austin, TX");

    view.boxes[PlaceBox::Office] = "10001";
    logic.saveClicked();
    EXPECT_EQ(rig.boxMessages(), std::vector<std::string>{"You must enter at least your home "
                                                          "location before saving your local "
                                                          "search settings."});
    EXPECT_EQ(rig.read("Lobuteha", "office"), "x") << "nothing is written without home";
    EXPECT_EQ(view.closed, 0);

    view.boxes[PlaceBox::Home] = "78701";
    view.boxes[PlaceBox::Cafe] = ""; // cleared: keeps its value
    logic.saveClicked();
    EXPECT_EQ(rig.read("Lobuteha", "home"), "78701");
    EXPECT_EQ(rig.read("Lobuteha", "office"), "10001");
    EXPECT_EQ(rig.read("Lobuteha", "cafe"), "Austin, TX");
    EXPECT_EQ(rig.read("Lobuteha", "location"), "78701");
    EXPECT_EQ(rig.feedback.locationText, "Current Location: 78701");
    EXPECT_EQ(view.closed, 1);

    logic.localHelpClicked();
    logic.generalHelpClicked();
    EXPECT_EQ(help, (std::vector<std::string>{"tab_search.html#search_local",
                                              "tab_search.html#search_regular"}));
}

TEST(VoipSettingsLogic, UnsetShowsAbcAndEverythingIsStoredWholeWithThePasswordEncrypted) {
    DialogRig rig;
    fakes::FakeVoipSettingsView view;
    SkypeSettingsLogic skype(view, rig.settings, rig.boxes, rig.windows);
    skype.formLoad();
    EXPECT_EQ(view.boxes[VoipBox::SkypeUser], "abc");

    JajahSettingsLogic jajah(view, rig.settings, rig.boxes, rig.windows);
    jajah.formLoad();
    EXPECT_EQ(view.boxes[VoipBox::JajahPassword], "abc");
    const std::string longName(80, 'n');
    view.boxes[VoipBox::JajahUser] = longName;
    view.boxes[VoipBox::JajahPassword] = "";
    view.boxes[VoipBox::JajahHome] = "+1 512 555 0100";
    jajah.saveClicked();
    EXPECT_EQ(rig.boxMessages(),
              std::vector<std::string>{"You must fill enter your Jajah username and password, as "
                                       "well as your home phone number"});
    EXPECT_EQ(rig.read("modJ", "u"), longName);
    EXPECT_EQ(rig.read("modJ", "p"), "") << "the empty password is stored";

    view.boxes[VoipBox::JajahPassword] = "s3cret\"<&";
    jajah.saveClicked();
    EXPECT_EQ(rig.decrypted("modJ", "p"), "s3cret\"<&");
    view.boxes.clear();
    jajah.formLoad();
    EXPECT_EQ(view.boxes[VoipBox::JajahUser], longName);
    EXPECT_EQ(view.boxes[VoipBox::JajahPassword], "s3cret\"<&");
}

} // namespace
} // namespace kelvo
