#pragma once

#include "services/address_opener.h"
#include "services/window_registry.h"
#include "windows/support_view.h"

#include <string>

namespace kelvo {

/// The support window frmSupport: a link to the support page and one to
/// the support mailbox. Its opener hides the main window and shows it;
/// closing shows the main window again.
class SupportLogic {
public:
    SupportLogic(SupportView& view, AddressOpener& opener, WindowRegistry& windows);

    /// The window's load: its caption.
    void formLoad();
    /// Label4: opens the support page, then closes.
    void supportPageClicked();
    /// Label5: writes to the support mailbox, then closes.
    void mailClicked();
    /// The window's close button: the main window comes back.
    void closeClicked();

private:
    SupportView& m_view;
    AddressOpener& m_opener;
    WindowRegistry& m_windows;
};

/// The support page's address and the mail link.
std::string supportPageAddress();
std::string supportMailAddress();

} // namespace kelvo
