#include "windows/splash_logic.h"

#include "platform/atomic_file.h"

namespace kelvo {

namespace {

constexpr const char* kLoadLocation = "FsplPloa";
constexpr const char* kCheckBoxLocation = "FsplPcl";
constexpr const char* kPlainWelcome = "<html><body><h2>Welcome to kelvo</h2></body></html>";

} // namespace

void SplashLogic::CheckBoxErrors::reportError(int number, std::string_view description,
                                              std::string_view) {
    m_errors.reportError(number, description, kCheckBoxLocation);
}

SplashLogic::SplashLogic(SplashView& view, const std::filesystem::path& dataFolder,
                         ErrorSink& errors)
    : m_view(view), m_dataFolder(dataFolder), m_errors(errors),
      m_settings(dataFolder / "mouse.ini", m_checkBoxErrors) {}

void SplashLogic::showModal() {
    m_view.setCaption("Welcome");
    const std::filesystem::path page = m_dataFolder / "splash.html";
    std::error_code missing;
    if (!std::filesystem::exists(page, missing)) {
        m_view.showPage(kPlainWelcome, m_dataFolder);
    } else if (Result<std::string> html = readWholeFile(page); html) {
        m_view.showPage(*html, m_dataFolder);
    } else {
        m_errors.reportError(html.error().number(), html.error().message(), kLoadLocation);
    }
    m_view.armTimer(kSplashMs);
    m_view.showWindow(true);
}

void SplashLogic::doNotShowClicked(bool ticked) {
    (void)m_settings.writeIni("Splash", "DisplayOnStart", ticked ? "False" : "True");
}

void SplashLogic::timerFired() {
    m_view.closeWindow();
}

} // namespace kelvo
