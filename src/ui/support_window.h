#pragma once

#include "ui/dialog_window.h"
#include "windows/support_logic.h"

namespace kelvo {

/// The support window frmSupport. Behaviour lives in SupportLogic.
class SupportWindow final : public DialogWindow<SupportView> {
public:
    /// Its name as a window and in the window registry.
    static constexpr const char* kName = "frmSupport";

    SupportWindow(AddressOpener& opener, WindowRegistry& windows);

    SupportLogic& logic() { return m_logic; }

protected:
    void timerFired() override {}
    void closeRequested() override { m_logic.closeClicked(); }

private:
    SupportLogic m_logic;
};

} // namespace kelvo
