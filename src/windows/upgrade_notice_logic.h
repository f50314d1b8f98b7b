#pragma once

#include "services/address_opener.h"
#include "services/message_boxes.h"
#include "windows/upgrade_notice_view.h"

#include <string>

namespace kelvo {

/// How long the new-version notice stays open.
inline constexpr int kUpgradeNoticeMs = 10000;

/// The new-version notice frmUpgrade, shown by the close-down.
class UpgradeNoticeLogic {
public:
    UpgradeNoticeLogic(UpgradeNoticeView& view, AddressOpener& opener, MessageBoxes& boxes);

    /// Shows the message and the link, modally; returns once the notice
    /// closed, and nothing of this object may be used after it.
    void showModal(const std::string& message, const std::string& link);
    /// lblLink: opens the link when it is a web address (http or https);
    /// the notice stays open.
    void linkClicked();
    /// Timer1: the hourglass, and the notice closes.
    void timerFired();
    /// The window's close button.
    void closeClicked();

private:
    UpgradeNoticeView& m_view;
    AddressOpener& m_opener;
    MessageBoxes& m_boxes;
    std::string m_link;
};

/// True for an address that begins with "http://" or "https://" (any case)
/// and names something after it.
bool isHttpAddress(const std::string& address);

} // namespace kelvo
