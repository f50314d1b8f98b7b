#include "windows/about_logic.h"

#include "windows/maker_site.h"

namespace kelvo {

namespace {

constexpr const char* kLicence =
    "KELVO END USER LICENCE AGREEMENT\n"
    "\n"
    "Please read this agreement before you use kelvo. By installing or using kelvo you "
    "accept it.\n"
    "\n"
    "1. Use. You may install kelvo on any computer you use and run it for your own "
    "purposes, at home or at work.\n"
    "\n"
    "2. Your data. kelvo keeps your settings, your custom commands and your voice profiles "
    "on your computer, in your own folders. At start and at close it exchanges a usage "
    "report and updated command files with our web service; it never sends what you say.\n"
    "\n"
    "3. Sites and programs. The commands open web sites and programs of others. Their "
    "content and their terms are theirs; we are not responsible for them.\n"
    "\n"
    "4. No warranty. kelvo is provided as it is, without any warranty. Speech recognition "
    "makes mistakes: do not bind a custom command to anything that must never run by "
    "accident.\n"
    "\n"
    "5. Liability. To the extent the law allows, we are not liable for any damage that "
    "comes from using kelvo or from being unable to use it.\n"
    "\n"
    "6. Ending. You may end this agreement at any time by removing kelvo from your "
    "computer.\n";

} // namespace

std::string aboutText() {
    return "Version 1.1.2\n\n" + std::string(kLicence) + "\nContact us:\n" +
           std::string(kMakerSite) + "\n" + std::string(kSupportMailbox) + "\n";
}

AboutLogic::AboutLogic(AboutView& view, WindowRegistry& windows)
    : m_view(view), m_windows(windows) {}

void AboutLogic::formLoad() {
    m_view.setSystemInfoEnabled(false);
    m_view.setCaption("About kelvo");
    m_view.setLegalText(aboutText());
}

void AboutLogic::okClicked() {
    m_windows.showWindow(kMainWindowName);
    m_view.closeWindow();
}

} // namespace kelvo
