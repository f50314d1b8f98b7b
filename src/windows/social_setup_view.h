#pragma once

#include <string>

namespace kelvo {

/// The text boxes of the social-login settings dialog.
enum class SocialSetupBox { UserFacebook, PasswordFacebook, UserMyspace, PasswordMyspace };

/// The social-login settings dialog as its logic sees it; src/ui draws it.
class SocialSetupView {
public:
    virtual ~SocialSetupView() = default;

    virtual void setBoxText(SocialSetupBox box, const std::string& text) = 0;
    virtual std::string boxText(SocialSetupBox box) const = 0;
    /// Closes and unloads the dialog.
    virtual void closeWindow() = 0;
};

} // namespace kelvo
