#include "integrations/social/social_login.h"

#include "platform/atomic_file.h"
#include "services/error_sink.h"
#include "services/text_crypto.h"

#include <pugixml.hpp>

#include <array>
#include <sstream>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCleanUpLocation = "FmouPtfcu";
constexpr const char* kFacebookHome = "https://www.facebook.com/";

constexpr std::array<SocialLoginSite, 3> kSites = {{
    {"facebook", "Facebook", "Flatrock", "template_facebook.html", "facebook.html", "email", "pass",
     "Please try logging into Facebook again using the speech command 'Login To Facebook' "
     "again."},
    {"myspace", "MySpace", "Miami", "template_myspace.html", "myspace.html",
     "ctl00_ctl00_Main_cpMain_SplashDisplay_ctl00_Email_Textbox",
     "ctl00_ctl00_Main_cpMain_SplashDisplay_ctl00_Password_Textbox",
     "Please try logging into MySpace again using the speech command 'Login To MySpace' "
     "again."},
    {"bebo", "Bebo", "bismuth", "template_bebo.html", "bebo.html", "EmailUsername", "Password",
     "Please try logging into Bebo again using the speech command 'Login To Bebo' again."},
}};

bool unset(const std::string& value) {
    return value.empty() || value == "x";
}

} // namespace

std::span<const SocialLoginSite> socialLoginSites() {
    return kSites;
}

SocialLogin::SocialLogin(SocialLoginParts parts) : m_p(std::move(parts)) {}

void SocialLogin::login(const std::string& word) {
    const SocialLoginSite* site = nullptr;
    for (const SocialLoginSite& known : kSites) {
        if (known.word == word) {
            site = &known;
        }
    }
    if (site == nullptr) {
        return;
    }
    const std::string section(site->section);
    const std::string displayName(site->displayName);
    if (unset(m_p.settings.readIni(section, "b", "x", 150)) ||
        unset(m_p.settings.readIni(section, "a", "x", 150))) {
        missingCredential(displayName);
        return;
    }
    auto user =
        tryDecryptText(m_p.settings.readIni(section, "a", "x", 750), kSocialLoginPassphrase);
    auto password =
        tryDecryptText(m_p.settings.readIni(section, "b", "x", 750), kSocialLoginPassphrase);
    if (!user || !password) {
        // A value that cannot be read back is as good as none: the user
        // enters it again.
        missingCredential(displayName);
        return;
    }
    if (Status written = writeFilledPage(*site, *user, *password); !written) {
        m_p.boxes.showNotice("Cannot log onto " + displayName, written.message(), 4000, true);
        return;
    }
    if (site->word == "facebook") {
        (void)m_p.host.openUrl(kFacebookHome);
        m_p.app.pumpEvents();
    }
    const fs::path page = m_p.dataFolder / site->pageFile;
    if (Status opened = m_p.host.openUrl(page.string()); !opened) {
        // Said, not trapped: the runtime-error window would end the program.
        m_p.boxes.showNotice("Cannot log onto " + displayName,
                             "The login page could not be opened: " + opened.message(), 4000, true);
    }
}

Status SocialLogin::writeFilledPage(const SocialLoginSite& site, const std::string& user,
                                    const std::string& password) {
    const fs::path templateFile = m_p.dataFolder / site.templateFile;
    const fs::path page = m_p.dataFolder / site.pageFile;
    std::error_code error;
    // A page made afresh is owner-only, whatever mode an old one had.
    fs::remove(page, error);
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(
        templateFile.c_str(), pugi::parse_full | pugi::parse_ws_pcdata, pugi::encoding_utf8);
    if (!parsed) {
        const bool missing = !fs::exists(templateFile, error);
        return Status::failure(error_number::kFileNotFound,
                               "The login page " + std::string(site.templateFile) +
                                   (missing ? " is missing from " : " cannot be read in ") +
                                   m_p.dataFolder.string() + ".");
    }
    // Through the document, so that quotes, "<" and "&" come out escaped.
    for (pugi::xpath_node found : document.select_nodes("//input")) {
        pugi::xml_node input = found.node();
        const std::string_view id = input.attribute("id").value();
        const std::string* value = id == site.userId       ? &user
                                   : id == site.passwordId ? &password
                                                           : nullptr;
        if (value == nullptr) {
            continue;
        }
        pugi::xml_attribute attribute = input.attribute("value");
        if (!attribute) {
            attribute = input.append_attribute("value");
        }
        attribute.set_value(value->c_str());
    }
    std::ostringstream out;
    document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return writeFileAtomically(page, out.str());
}

void SocialLogin::missingCredential(const std::string& displayName) {
    m_p.boxes.showNotice("Cannot log onto " + displayName,
                         "You must first fill in your " + displayName + " login information", 4000,
                         true);
    m_p.windows.hideWindow(kMainWindowName);
    m_p.windows.showWindow(kSocialSetupWindowName);
}

void SocialLogin::timerTick() {
    if (m_p.state.timerTicks < 2) {
        ++m_p.state.timerTicks;
        return;
    }
    m_p.state.timerTicks = 0;
    for (const SocialLoginSite& site : kSites) {
        const fs::path page = m_p.dataFolder / site.pageFile;
        std::error_code error;
        if (!fs::exists(page, error)) {
            continue;
        }
        if (Status scrubbed = writeFileAtomically(page, std::string(site.retrySentence) + "\n");
            !scrubbed) {
            // The filled page must not stay: without its sentence it goes.
            fs::remove(page, error);
        }
    }
}

void SocialLogin::tempFileCleanUp() {
    for (const SocialLoginSite& site : kSites) {
        const fs::path page = m_p.dataFolder / site.pageFile;
        std::error_code error;
        // A read-only folder refuses the removal even of what it does not
        // hold; only a page that is there can be left behind.
        if (!fs::exists(fs::symlink_status(page, error))) {
            continue;
        }
        if (fs::remove(page, error); error) {
            m_p.boxes.reportError(error_number::kPermissionDenied,
                                  "cannot delete " + page.string() + ": " + error.message(),
                                  kCleanUpLocation);
        }
    }
}

} // namespace kelvo
