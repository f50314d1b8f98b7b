// The settings dialogs as drawn: loaded from the settings, typed into,
// saved with their button, gone once closed, the main window shown again.
#include "ui/settings_dialogs.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/fake_window_registry.h"
#include "fakes/temp_dir.h"
#include "services/text_crypto.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct DialogsRig {
    SettingsDialogServices services() {
        return {settings, boxes, windows, feedback,
                [this](const std::string& topic) { help.push_back(topic); }};
    }

    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    fakes::FakeWindowRegistry windows;
    fakes::FakeFeedbackPort feedback;
    std::vector<std::string> help;
};

void type(QWidget* window, const char* box, const char* text) {
    auto* edit = window->findChild<QLineEdit*>(box);
    ASSERT_NE(edit, nullptr) << box;
    edit->setText(text);
}

bool clickClosesIt(QWidget* window, const char* button) {
    QPointer<QWidget> alive(window);
    auto* push = window->findChild<QPushButton*>(button);
    if (push == nullptr) {
        return false;
    }
    push->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return alive.isNull();
}

TEST(SettingsDialogs, EachSavesWhatWasTypedAndGoes) {
    DialogsRig rig;
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "location", "Austin, TX"));

    QWidget* social = makeSocialSetupWindow(rig.services());
    EXPECT_EQ(social->windowTitle(), "Setup Social Networking");
    EXPECT_EQ(social->findChild<QLineEdit*>("txtPasswordFacebook")->echoMode(),
              QLineEdit::Password);
    type(social, "txtUserFacebook", "me@example.org");
    type(social, "txtPasswordFacebook", "pw");
    EXPECT_TRUE(clickClosesIt(social, "Command2"));
    EXPECT_EQ(tryDecryptText(rig.settings.readIni("Flatrock", "b", "", 750), kSocialLoginPassphrase)
                  .value(),
              "pw");

    QWidget* places = makeLocalSearchSettingsWindow(rig.services());
    EXPECT_EQ(places->findChild<QLabel*>("lblCurrent")->text(), "Austin, TX");
    places->findChild<QPushButton*>("Command3")->click();
    EXPECT_EQ(rig.help, std::vector<std::string>{"tab_search.html#search_local"});
    type(places, "txtHome", "78701");
    EXPECT_TRUE(clickClosesIt(places, "Command2"));
    EXPECT_EQ(rig.settings.readIni("Lobuteha", "location", "", 100), "78701");

    QWidget* skype = makeSkypeWindow(rig.services());
    EXPECT_EQ(skype->findChild<QLineEdit*>("txtUser")->text(), "abc");
    type(skype, "txtUser", "someone");
    EXPECT_TRUE(clickClosesIt(skype, "cmdSaveSettings"));
    EXPECT_EQ(rig.settings.readIni("modS", "u", "", 100), "someone");

    QWidget* jajah = makeJajahWindow(rig.services());
    QPointer<QWidget> alive(jajah);
    jajah->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "closed without saving, it goes all the same";
    EXPECT_EQ(rig.settings.readIni("modJ", "u", "(none)", 100), "(none)");
    EXPECT_EQ(std::count(rig.windows.calls.begin(), rig.windows.calls.end(), "show mouse"), 4);
}

} // namespace
} // namespace kelvo
