#include "windows/support_logic.h"

#include "windows/maker_site.h"

namespace kelvo {

std::string supportPageAddress() {
    return std::string(kMakerSite) + "/support.html";
}

std::string supportMailAddress() {
    return "mailto:" + std::string(kSupportMailbox);
}

SupportLogic::SupportLogic(SupportView& view, AddressOpener& opener, WindowRegistry& windows)
    : m_view(view), m_opener(opener), m_windows(windows) {}

void SupportLogic::formLoad() {
    m_view.setCaption("kelvo Support");
}

void SupportLogic::supportPageClicked() {
    (void)m_opener.openUrl(supportPageAddress());
    closeClicked();
}

void SupportLogic::mailClicked() {
    (void)m_opener.openUrl(supportMailAddress());
    closeClicked();
}

void SupportLogic::closeClicked() {
    m_windows.showWindow(kMainWindowName);
    m_view.closeWindow();
}

} // namespace kelvo
