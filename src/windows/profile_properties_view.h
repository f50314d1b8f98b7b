#pragma once

#include <string>

namespace kelvo {

/// The profile-properties window as its logic sees it. Calls never fail.
class ProfilePropertiesView {
public:
    virtual ~ProfilePropertiesView() = default;

    /// `lblDefaultProfiles` and `lblCurrentProfiile`.
    virtual void setDefaultProfileText(const std::string& text) = 0;
    virtual void setCurrentProfileText(const std::string& text) = 0;
    /// Closes the window; the logic's formUnload runs then.
    virtual void closeWindow() = 0;
};

} // namespace kelvo
