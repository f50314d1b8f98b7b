#pragma once

#include "ui/box_window.h"

#include <functional>

namespace kelvo {

class LinkLabel;

/// The error window with a help link frmError: caption, the message in
/// lblError, the link lblLink, buttons as the message box, a picture.
class ErrorLinkWindow final : public BoxWindow {
    Q_OBJECT

public:
    ErrorLinkWindow();

    /// Fills the window and shows it; onLink runs on each click of the link.
    void showError(const QString& title, BoxStyle style, const QString& message,
                   const QString& linkCaption, bool modal, std::function<void()> onLink);

private:
    QLabel* m_message = nullptr;
    LinkLabel* m_link = nullptr;
    std::function<void()> m_onLink;
};

} // namespace kelvo
