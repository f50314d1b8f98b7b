#pragma once

#include <string>
#include <vector>

namespace kelvo {

/// The parts the select-profile and train-profile windows share: the
/// profile list, the frames naming the current and the default profile,
/// the title, the instructions and the one button. Calls never fail.
class ProfileListView {
public:
    virtual ~ProfileListView() = default;

    /// The window's caption.
    virtual void setCaption(const std::string& text) = 0;
    virtual std::string caption() const = 0;
    virtual void setTitle(const std::string& text) = 0;
    virtual void setInstructions(const std::string& text) = 0;
    virtual void setButtonCaption(const std::string& text) = 0;
    /// Fills the list; nothing is selected afterwards.
    virtual void setProfiles(const std::vector<std::string>& names) = 0;
    /// The selected entry, empty when none is.
    virtual std::string selectedProfile() const = 0;
    /// `lblCurrentProfiile2` and `lblDefaultProfiles2`.
    virtual void setCurrentProfileText(const std::string& text) = 0;
    virtual void setDefaultProfileText(const std::string& text) = 0;
    /// Closes the window; the logic's formUnload runs then.
    virtual void closeWindow() = 0;
};

} // namespace kelvo
