#pragma once

#include <string>

namespace kelvo {

/// The place boxes of the local-search settings dialog.
enum class PlaceBox { Home, Office, Cafe, Travel, Other };

/// The local-search settings dialog as its logic sees it; src/ui draws it.
class LocalSearchSettingsView {
public:
    virtual ~LocalSearchSettingsView() = default;

    virtual void setBoxText(PlaceBox box, const std::string& text) = 0;
    virtual std::string boxText(PlaceBox box) const = 0;
    /// The current location beside "Your 'Current Location':".
    virtual void setCurrentLocation(const std::string& text) = 0;
    /// Closes and unloads the dialog.
    virtual void closeWindow() = 0;
};

} // namespace kelvo
