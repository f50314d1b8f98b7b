#pragma once

#include "windows/dialog_view.h"

#include <filesystem>
#include <string>

namespace kelvo {

/// The welcome window frmSplash as its logic sees it.
class SplashView : public DialogView {
public:
    /// Shows a local page (HTML text); its pictures are looked up in
    /// folder. Nothing is fetched from the network.
    virtual void showPage(const std::string& html, const std::filesystem::path& folder) = 0;
};

} // namespace kelvo
