#include "windows/voip_settings_logic.h"

#include "services/text_crypto.h"

namespace kelvo {

namespace {

// Long enough for any value a box takes, so a stored value is never read
// back cut (and then saved cut).
constexpr int kReadLength = 2000;
constexpr const char* kUnsetDefault = "abc";
constexpr const char* kSaveLocation = "FfrmJajahPsave";

std::string shownValue(const std::string& value) {
    return value == "x" ? std::string() : value;
}

} // namespace

JajahSettingsLogic::JajahSettingsLogic(VoipSettingsView& view, SettingsFile& settings,
                                       MessageBoxes& boxes, WindowRegistry& windows)
    : m_view(view), m_settings(settings), m_boxes(boxes), m_windows(windows) {}

void JajahSettingsLogic::formLoad() {
    m_view.setBoxText(VoipBox::JajahUser,
                      shownValue(m_settings.readIni("modJ", "u", kUnsetDefault, kReadLength)));
    m_view.setBoxText(VoipBox::JajahHome,
                      shownValue(m_settings.readIni("modJ", "h", kUnsetDefault, kReadLength)));
    const std::string stored = m_settings.readIni("modJ", "p", kUnsetDefault, kReadLength);
    std::string password = shownValue(stored);
    if (m_settings.hasKey("modJ", "p") && !password.empty()) {
        auto plain = tryDecryptText(stored, kSocialLoginPassphrase);
        password = plain ? *plain : "";
    }
    m_view.setBoxText(VoipBox::JajahPassword, password);
}

void JajahSettingsLogic::saveClicked() {
    const std::string user = m_view.boxText(VoipBox::JajahUser);
    const std::string password = m_view.boxText(VoipBox::JajahPassword);
    const std::string home = m_view.boxText(VoipBox::JajahHome);
    if (user.empty() || password.empty() || home.empty()) {
        m_boxes.custMsgBox("title", "ok",
                           "You must fill enter your Jajah username and password, as well as "
                           "your home phone number",
                           true);
    }
    (void)m_settings.writeIni("modJ", "u", user);
    if (password.empty()) {
        (void)m_settings.writeIni("modJ", "p", "");
    } else if (auto encrypted = tryEncryptText(password, kSocialLoginPassphrase)) {
        (void)m_settings.writeIni("modJ", "p", *encrypted);
    } else {
        m_boxes.reportError(encrypted.error().number(), encrypted.error().message(), kSaveLocation);
    }
    (void)m_settings.writeIni("modJ", "h", home);
    m_view.closeWindow();
}

void JajahSettingsLogic::formUnload() {
    m_windows.showWindow(kMainWindowName);
}

SkypeSettingsLogic::SkypeSettingsLogic(VoipSettingsView& view, SettingsFile& settings,
                                       MessageBoxes& boxes, WindowRegistry& windows)
    : m_view(view), m_settings(settings), m_boxes(boxes), m_windows(windows) {}

void SkypeSettingsLogic::formLoad() {
    m_view.setBoxText(VoipBox::SkypeUser,
                      shownValue(m_settings.readIni("modS", "u", kUnsetDefault, kReadLength)));
}

void SkypeSettingsLogic::saveClicked() {
    const std::string user = m_view.boxText(VoipBox::SkypeUser);
    if (user.empty()) {
        m_boxes.custMsgBox("title", "ok", "You must fill enter your Skype username", true);
    }
    (void)m_settings.writeIni("modS", "u", user);
    m_view.closeWindow();
}

void SkypeSettingsLogic::formUnload() {
    m_windows.showWindow(kMainWindowName);
}

} // namespace kelvo
