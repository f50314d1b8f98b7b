#include "windows/upgrade_notice_logic.h"

#include "speech/phrase_index.h"

namespace kelvo {

bool isHttpAddress(const std::string& address) {
    const std::string upper = upperAscii(address);
    for (const std::string_view scheme : {"HTTP://", "HTTPS://"}) {
        if (upper.starts_with(scheme) && address.size() > scheme.size() &&
            address[scheme.size()] != ' ') {
            return true;
        }
    }
    return false;
}

UpgradeNoticeLogic::UpgradeNoticeLogic(UpgradeNoticeView& view, AddressOpener& opener,
                                       MessageBoxes& boxes)
    : m_view(view), m_opener(opener), m_boxes(boxes) {}

void UpgradeNoticeLogic::showModal(const std::string& message, const std::string& link) {
    m_link = link;
    m_view.setBusyPointer(false);
    m_view.setCaption("A New Version Of kelvo");
    m_view.setMessage(message);
    m_view.setLinkText("Click Here For More Information");
    m_view.armTimer(kUpgradeNoticeMs);
    m_view.showWindow(true);
}

void UpgradeNoticeLogic::linkClicked() {
    // The address comes from the server: only a web page may be opened.
    if (!isHttpAddress(m_link)) {
        m_boxes.custMsgBox("Kelvo", "ok",
                           "The link of this notice is not a web address, so it was not opened.",
                           false);
        return;
    }
    (void)m_opener.openUrl(m_link);
}

void UpgradeNoticeLogic::timerFired() {
    m_view.setBusyPointer(true);
    m_view.closeWindow();
}

void UpgradeNoticeLogic::closeClicked() {
    m_view.closeWindow();
}

} // namespace kelvo
