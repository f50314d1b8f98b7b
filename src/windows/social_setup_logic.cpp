#include "windows/social_setup_logic.h"

#include "services/text_crypto.h"

#include <array>

namespace kelvo {

namespace {

struct StoredBox {
    SocialSetupBox box;
    const char* section;
    const char* key;
};

constexpr std::array<StoredBox, 4> kStored = {{
    {SocialSetupBox::UserFacebook, "Flatrock", "a"},
    {SocialSetupBox::PasswordFacebook, "Flatrock", "b"},
    {SocialSetupBox::UserMyspace, "Miami", "a"},
    {SocialSetupBox::PasswordMyspace, "Miami", "b"},
}};

constexpr const char* kSaveLocation = "FfrmSocialSetupPsave";

} // namespace

SocialSetupLogic::SocialSetupLogic(SocialSetupView& view, SettingsFile& settings,
                                   MessageBoxes& boxes, WindowRegistry& windows)
    : m_view(view), m_settings(settings), m_boxes(boxes), m_windows(windows) {}

void SocialSetupLogic::formLoad() {
    for (const StoredBox& stored : kStored) {
        const std::string value = m_settings.readIni(stored.section, stored.key, "", 750);
        std::string shown;
        if (!value.empty() && value != "x") {
            // A value this installation cannot read shows as empty; saving a
            // new one replaces it.
            auto plain = tryDecryptText(value, kSocialLoginPassphrase);
            shown = plain ? *plain : "";
        }
        m_view.setBoxText(stored.box, shown);
    }
}

void SocialSetupLogic::saveClicked() {
    const auto halfFilled = [this](SocialSetupBox user, SocialSetupBox password) {
        return m_view.boxText(user).empty() != m_view.boxText(password).empty();
    };
    if (halfFilled(SocialSetupBox::UserFacebook, SocialSetupBox::PasswordFacebook)) {
        m_boxes.custMsgBox("title", "ok",
                           "You must fill enter both your Facebook username and password", true);
    }
    if (halfFilled(SocialSetupBox::UserMyspace, SocialSetupBox::PasswordMyspace)) {
        m_boxes.custMsgBox("title", "ok",
                           "You must fill enter both your MySpace username and password", true);
    }
    for (const StoredBox& stored : kStored) {
        const std::string text = m_view.boxText(stored.box);
        if (text.empty()) {
            continue;
        }
        auto encrypted = tryEncryptText(text, kSocialLoginPassphrase);
        if (!encrypted) {
            m_boxes.reportError(encrypted.error().number(), encrypted.error().message(),
                                kSaveLocation);
            continue;
        }
        (void)m_settings.writeIni(stored.section, stored.key, *encrypted);
    }
    m_view.closeWindow();
}

void SocialSetupLogic::formUnload() {
    m_windows.showWindow(kMainWindowName);
}

} // namespace kelvo
