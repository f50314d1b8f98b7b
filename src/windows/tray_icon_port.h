#pragma once

#include <string>

namespace kelvo {

/// The program's icon in the notification area. src/ui implements it with
/// the desktop's tray; every call is safe when the desktop has no tray.
class TrayIconPort {
public:
    virtual ~TrayIconPort() = default;

    /// Puts the icon into the notification area with its tip. Returns false
    /// when the desktop has no notification area.
    virtual bool addIcon(const std::string& tip) = 0;

    /// Shows a balloon on the icon; without a notification area, a desktop
    /// notification with the same title and text.
    virtual void showBalloon(const std::string& title, const std::string& text) = 0;

    /// Shows the asleep (muted) or the awake image.
    virtual void setAsleep(bool asleep) = 0;

    /// Takes the icon out of the notification area.
    virtual void removeIcon() = 0;

    /// True while the icon is in a notification area.
    virtual bool isShown() const = 0;
};

/// Longest balloon title and text the icon record holds; longer ones are cut.
inline constexpr int kBalloonTitleLength = 64;
inline constexpr int kBalloonTextLength = 256;

} // namespace kelvo
