#include "ui/settings_dialogs.h"

#include "ui/settings_form_window.h"
#include "windows/local_search_settings_logic.h"
#include "windows/social_setup_logic.h"
#include "windows/voip_settings_logic.h"

#include <memory>

namespace kelvo {

namespace {

using Kind = FormLine::Kind;

FormLine text(const char* caption) {
    return {Kind::Text, -1, caption, {}};
}

template <typename Id> FormLine box(Id id, const char* caption, const char* name) {
    return {Kind::Box, static_cast<int>(id), caption, name};
}

template <typename Id> FormLine password(Id id, const char* caption, const char* name) {
    return {Kind::PasswordBox, static_cast<int>(id), caption, name};
}

FormLine button(int id, const char* caption, const char* name) {
    return {Kind::Button, id, caption, name};
}

/// A dialog drawn from its layout that owns its logic and forwards to it.
/// Box is the view's enum; Logic is made with the view.
template <typename View, typename Box, typename Logic> class FormDialog final : public View {
public:
    template <typename MakeLogic, typename OnClick>
    FormDialog(const FormLayout& layout, MakeLogic makeLogic, OnClick onClick)
        : m_window(new SettingsFormWindow(
              layout, [this, onClick](int id) { onClick(*m_logic, id); },
              [this] { m_logic->formUnload(); })),
          m_logic(makeLogic(static_cast<View&>(*this))) {
        m_logic->formLoad();
    }

    SettingsFormWindow* window() const { return m_window; }

    void setBoxText(Box id, const std::string& value) override {
        m_window->setFieldText(static_cast<int>(id), value);
    }
    std::string boxText(Box id) const override { return m_window->fieldText(static_cast<int>(id)); }
    void closeWindow() override { m_window->close(); }

protected:
    SettingsFormWindow* m_window;
    std::unique_ptr<Logic> m_logic;
};

/// Keeps the dialog object alive exactly as long as its window.
template <typename Dialog> QWidget* own(std::unique_ptr<Dialog> dialog) {
    SettingsFormWindow* window = dialog->window();
    QObject::connect(window, &QObject::destroyed, [owned = dialog.release()] { delete owned; });
    return window;
}

using SocialDialog = FormDialog<SocialSetupView, SocialSetupBox, SocialSetupLogic>;
using JajahDialog = FormDialog<VoipSettingsView, VoipBox, JajahSettingsLogic>;
using SkypeDialog = FormDialog<VoipSettingsView, VoipBox, SkypeSettingsLogic>;

class LocalSearchDialog final : public LocalSearchSettingsView {
public:
    enum Button { Cancel, Save, LocalHelp, GeneralHelp };
    static constexpr int kCurrent = 100;

    LocalSearchDialog(const FormLayout& layout, const SettingsDialogServices& services)
        : m_window(new SettingsFormWindow(
              layout, [this](int id) { clicked(id); }, [this] { m_logic->formUnload(); })),
          m_logic(std::make_unique<LocalSearchSettingsLogic>(
              *this, services.settings, services.boxes, services.windows, services.feedback,
              services.openHelp)) {
        m_logic->formLoad();
    }

    SettingsFormWindow* window() const { return m_window; }

    void setBoxText(PlaceBox id, const std::string& value) override {
        m_window->setFieldText(static_cast<int>(id), value);
    }
    std::string boxText(PlaceBox id) const override {
        return m_window->fieldText(static_cast<int>(id));
    }
    void setCurrentLocation(const std::string& value) override {
        m_window->setFieldText(kCurrent, value);
    }
    void closeWindow() override { m_window->close(); }

private:
    void clicked(int id) {
        switch (id) {
        case Cancel:
            m_logic->cancelClicked();
            break;
        case Save:
            m_logic->saveClicked();
            break;
        case LocalHelp:
            m_logic->localHelpClicked();
            break;
        case GeneralHelp:
            m_logic->generalHelpClicked();
            break;
        default:
            break;
        }
    }

    SettingsFormWindow* m_window;
    std::unique_ptr<LocalSearchSettingsLogic> m_logic;
};

constexpr int kSaveButton = 1;

} // namespace

QWidget* makeSocialSetupWindow(const SettingsDialogServices& s) {
    const FormLayout layout{
        "frmSocialSetup",
        "Setup Social Networking",
        {text("Instructions: "),
         text("You can use kelvo to automatically log onto your Facebook or MySpace accounts."),
         text("Before kelvo can successfully log onto a site, it needs to know your account "
              "username and password for that site.  Enter this information below for each "
              "website with which you have an account."),
         text("To access FACEBOOK you must enter your login information below."),
         box(SocialSetupBox::UserFacebook, "Facebook Email:", "txtUserFacebook"),
         password(SocialSetupBox::PasswordFacebook, "Facebook Password:", "txtPasswordFacebook"),
         text("To access MYSPACE you must enter your login information below."),
         box(SocialSetupBox::UserMyspace, "MySpace Email:", "txtUserMyspace"),
         password(SocialSetupBox::PasswordMyspace, "MySpace Password:", "txtPasswordMyspace"),
         button(kSaveButton, "Save Settings", "Command2")}};
    return own(std::make_unique<SocialDialog>(
        layout,
        [&s](SocialSetupView& view) {
            return std::make_unique<SocialSetupLogic>(view, s.settings, s.boxes, s.windows);
        },
        [](SocialSetupLogic& logic, int) { logic.saveClicked(); }));
}

QWidget* makeLocalSearchSettingsWindow(const SettingsDialogServices& s) {
    using D = LocalSearchDialog;
    const FormLayout layout{
        "frmLocalSearchSettings",
        "Local Search Settings",
        {text("Enter a zip code, or a city and state, for each place you search from.  Saying "
              "a place's phrase makes it your current location for local searches; \"Select "
              "City Location\" and \"Select Zip Location\" set it on the fly by dictation."),
         text("Zip or City,State"),
         box(PlaceBox::Home, "\"Select Home Location\":", "txtHome"),
         box(PlaceBox::Office, "\"Select Office Location\":", "txtOffice"),
         box(PlaceBox::Cafe, "\"Select Cafe Location\":", "txtCafe"),
         box(PlaceBox::Travel, "\"Select Travel Location\":", "txtTravel"),
         box(PlaceBox::Other, "\"Select Other Location\":", "txtOther"),
         {Kind::Value, D::kCurrent, "Your 'Current Location':", "lblCurrent"},
         button(D::Save, "Save Local Search Settings", "Command2"),
         button(D::LocalHelp, "Click Here For Local Search Help", "Command3"),
         button(D::GeneralHelp, "Click Here For General Search Help", "Command4"),
         button(D::Cancel, "Cancel", "Command1")}};
    return own(std::make_unique<LocalSearchDialog>(layout, s));
}

QWidget* makeJajahWindow(const SettingsDialogServices& s) {
    const FormLayout layout{"frmJajah",
                            "Jajah Settings",
                            {text("Setup Your Jajah Settings - Login"),
                             box(VoipBox::JajahUser, "Jajah Username", "txtUser"),
                             password(VoipBox::JajahPassword, "Jajah Password", "txtPassword"),
                             text("Jajah Settings - Your Phone Number"),
                             text("Include country code and area code"),
                             box(VoipBox::JajahHome, "Home Phone", "txtHome"),
                             box(VoipBox::JajahMobile, "Mobile Phone", "txtMobile"),
                             box(VoipBox::JajahWork, "Work Phone", "txtWork"),
                             button(kSaveButton, "Update All Jajah Settings", "cmdSaveSettings")}};
    return own(std::make_unique<JajahDialog>(
        layout,
        [&s](VoipSettingsView& view) {
            return std::make_unique<JajahSettingsLogic>(view, s.settings, s.boxes, s.windows);
        },
        [](JajahSettingsLogic& logic, int) { logic.saveClicked(); }));
}

QWidget* makeSkypeWindow(const SettingsDialogServices& s) {
    const FormLayout layout{"frmSkype",
                            "Skype Settings",
                            {text("Setup Your Skype Settings - Login"),
                             box(VoipBox::SkypeUser, "Skype Username", "txtUser"),
                             button(kSaveButton, "Update All Skype Settings", "cmdSaveSettings")}};
    return own(std::make_unique<SkypeDialog>(
        layout,
        [&s](VoipSettingsView& view) {
            return std::make_unique<SkypeSettingsLogic>(view, s.settings, s.boxes, s.windows);
        },
        [](SkypeSettingsLogic& logic, int) { logic.saveClicked(); }));
}

} // namespace kelvo
