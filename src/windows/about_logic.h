#pragma once

#include "services/window_registry.h"
#include "windows/about_view.h"

#include <string>

namespace kelvo {

/// The About box frmAbout: the version, the licence agreement and how to
/// reach us. Its opener hides the main window and shows it; closing shows
/// the main window again.
class AboutLogic {
public:
    AboutLogic(AboutView& view, WindowRegistry& windows);

    /// The window's load: fills the text, disables System Info.
    void formLoad();
    /// OK, or the window's close button: the main window comes back.
    void okClicked();

private:
    AboutView& m_view;
    WindowRegistry& m_windows;
};

/// The text of the About box: the version line, a blank line, the licence
/// agreement and the contact lines.
std::string aboutText();

} // namespace kelvo
