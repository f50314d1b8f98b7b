#include "integrations/social/social_login.h"
#include "integrations/social/social_pages.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_dispatch_host.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/fake_window_registry.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/text_crypto.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

struct PagesRig {
    SpeechState speech;
    fakes::FakeFeedbackPort feedback;
    fakes::FakeDispatchHost host;
    SocialPages pages{speech, feedback, host};
};

TEST(SocialPages, EverySpellingOpensItsPageWithTheFirstSpellingsFeedback) {
    ASSERT_EQ(socialPageTable().size(), 28u);
    int spellings = 0;
    for (const SocialPage& page : socialPageTable()) {
        for (bool second : {false, true}) {
            PagesRig rig;
            const std::string phrase = socialPagePhrase(page, second);
            EXPECT_TRUE(rig.pages.goSocialNetworkPage(phrase)) << phrase;
            EXPECT_EQ(rig.speech.commandCounter, 1);
            EXPECT_EQ(rig.host.opened, std::vector<std::string>{socialPageAddress(page)});
            EXPECT_EQ(rig.feedback.feedbackText,
                      "I Heard: go " + std::string(page.site) + " " + std::string(page.shownWord));
            ++spellings;
        }
    }
    EXPECT_EQ(spellings, 56);
}

TEST(SocialPages, SpelledApartTheSiteStillOpensTheSamePage) {
    PagesRig rig;
    EXPECT_TRUE(rig.pages.goSocialNetworkPage("go face book inbox"));
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: go facebook inbox");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"http://www.facebook.com/inbox/"});
    EXPECT_TRUE(rig.pages.goSocialNetworkPage("go my space TV"));
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: go myspace tv");
}

TEST(SocialPages, OtherTextsAreNotPages) {
    PagesRig rig;
    for (const char* text : {"go myspace tv", "go facebook", "go myspace", "Go facebook home",
                             "go facebook home ", "go facebookhome"}) {
        EXPECT_FALSE(rig.pages.goSocialNetworkPage(text)) << text;
    }
    EXPECT_EQ(rig.speech.commandCounter, 0);
    EXPECT_TRUE(rig.host.opened.empty());
}

TEST(SocialPages, AFailedOpenStillTakesThePhrase) {
    PagesRig rig;
    rig.host.openResult = Status::failure(2, "no browser");
    EXPECT_TRUE(rig.pages.goSocialNetworkPage("go facebook help"));
}

struct LoginRig {
    LoginRig() {
        for (const char* name :
             {"template_facebook.html", "template_myspace.html", "template_bebo.html"}) {
            fs::copy_file(fs::path(KELVO_RESOURCES_DIR) / "defaults" / name, dir / name);
        }
    }

    void store(const char* section, const char* key, const std::string& value) {
        ASSERT_TRUE(
            settings.writeIni(section, key, tryEncryptText(value, kSocialLoginPassphrase).value()));
    }
    std::string page(const char* name) {
        auto text = readWholeFile(dir / name);
        return text ? *text : "";
    }

    fakes::TempDir dir;
    fakes::FakeErrorSink settingsErrors;
    SettingsFile settings{dir / "mouse.ini", settingsErrors};
    SocialState state;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    fakes::FakeWindowRegistry windows;
    fakes::FakeDispatchHost host;
    SocialLogin login{SocialLoginParts{state, settings, boxes, windows, app, host, dir.path()}};
};

TEST(SocialLogin, FillsThePageEscapedOwnerOnlyAndOpensIt) {
    LoginRig rig;
    rig.store("Flatrock", "a", "me@example.org");
    rig.store("Flatrock", "b", "p\"<&'>w");
    rig.login.login("facebook");
    const fs::path page = rig.dir / "facebook.html";
    ASSERT_EQ(rig.host.opened,
              (std::vector<std::string>{"https://www.facebook.com/", page.string()}));
    const std::string html = rig.page("facebook.html");
    EXPECT_NE(html.find("id=\"email\" name=\"email\" value=\"me@example.org\""), std::string::npos)
        << html;
    EXPECT_NE(html.find("value=\"p&quot;&lt;&amp;'>w\""), std::string::npos) << html;
    struct stat info {};
    ASSERT_EQ(stat(page.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(SocialLogin, OneCredentialOnlyAsksForTheLogin) {
    LoginRig rig;
    rig.store("Miami", "a", "me");
    rig.login.login("myspace");
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].title, "Cannot log onto MySpace");
    EXPECT_EQ(rig.dialogs.shown[0].message,
              "You must first fill in your MySpace login information");
    EXPECT_EQ(rig.windows.calls, (std::vector<std::string>{"hide mouse", "show frmsocialsetup"}));
    EXPECT_TRUE(rig.host.opened.empty());

    rig.login.login("bebo");
    EXPECT_EQ(rig.dialogs.shown.back().title, "Cannot log onto Bebo");
}

TEST(SocialLogin, MissingTemplateIsSaidAndNothingOpens) {
    LoginRig rig;
    fs::remove(rig.dir / "template_myspace.html");
    rig.store("Miami", "a", "me");
    rig.store("Miami", "b", "pw");
    rig.login.login("myspace");
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].title, "Cannot log onto MySpace");
    EXPECT_NE(rig.dialogs.shown[0].message.find("template_myspace.html is missing"),
              std::string::npos);
    EXPECT_TRUE(rig.host.opened.empty());
}

TEST(SocialLogin, TemplateWithoutTheInputsIsOpenedUnfilled) {
    LoginRig rig;
    ASSERT_TRUE(writeFileAtomically(rig.dir / "template_myspace.html",
                                    "<html><body><input id=\"other\"/></body></html>"));
    rig.store("Miami", "a", "me");
    rig.store("Miami", "b", "pw");
    rig.login.login("myspace");
    EXPECT_EQ(rig.page("myspace.html"), "<html><body><input id=\"other\"/></body></html>");
    EXPECT_EQ(rig.host.opened.size(), 1u);
}

TEST(SocialLogin, EveryThirdTickScrubsAndCloseDownRemovesThePages) {
    LoginRig rig;
    rig.store("Flatrock", "a", "me");
    rig.store("Flatrock", "b", "secret");
    rig.login.login("facebook");
    rig.login.timerTick();
    rig.login.timerTick();
    EXPECT_NE(rig.page("facebook.html").find("secret"), std::string::npos);
    rig.login.timerTick();
    EXPECT_EQ(rig.page("facebook.html"), "Please try logging into Facebook again using the speech "
                                         "command 'Login To Facebook' again.\n");
    EXPECT_FALSE(fs::exists(rig.dir / "myspace.html")) << "only pages that exist are scrubbed";

    rig.login.tempFileCleanUp();
    EXPECT_FALSE(fs::exists(rig.dir / "facebook.html"));
    EXPECT_TRUE(fs::exists(rig.dir / "template_facebook.html"));
}

// A read-only data folder refuses even the removal of a page it does not
// hold (as does a folder below a file): no box then, at every start and
// close-down, about a page that is not there.
TEST(SocialLogin, ThePagesThatAreNotThereAreNotReportedAsKept) {
    LoginRig rig;
    ASSERT_TRUE(writeFileAtomically(rig.dir / "file", ""));
    SocialLogin login{SocialLoginParts{rig.state, rig.settings, rig.boxes, rig.windows, rig.app,
                                       rig.host, rig.dir / "file"}};
    login.tempFileCleanUp();
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

} // namespace
} // namespace kelvo
