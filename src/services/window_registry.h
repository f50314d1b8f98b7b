#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// Names of the windows other code refers to, in lower case.
inline constexpr std::string_view kMainWindowName = "mouse";
inline constexpr std::string_view kMatchBookmarksWindowName = "frmmatchbookmarks";
inline constexpr std::string_view kImportWindowName = "frmimport";
inline constexpr std::string_view kCreateProfileWindowName = "frmcreateprofile";
inline constexpr std::string_view kSelectProfileWindowName = "frmselectprofile";
inline constexpr std::string_view kTrainProfileWindowName = "frmtrainprofile";
inline constexpr std::string_view kProfilePropertiesWindowName = "frmprofileproperties";

/// The program's windows, each a single instance known by its lower-case
/// name ("mouse", "frmcustomedit"). A window is loaded when first shown and
/// destroyed when unloaded. The UI implements this; the core only asks.
class WindowRegistry {
public:
    virtual ~WindowRegistry() = default;

    /// True when the program has a window of that name, loaded or not. A
    /// registry that cannot tell says false, so callers say the window is
    /// missing rather than show nothing.
    virtual bool hasWindow(std::string_view /*name*/) const { return false; }

    /// The names of the windows loaded now, in the order they were loaded.
    virtual std::vector<std::string> loadedWindows() const = 0;

    /// Closes and destroys the window; nothing happens when it is not loaded.
    virtual void unloadWindow(std::string_view name) = 0;

    /// Hides the window, keeping it loaded; nothing when it is not loaded.
    virtual void hideWindow(std::string_view name) = 0;

    /// Shows the window without making it modal, loading it first when
    /// needed. An unknown name is ignored.
    virtual void showWindow(std::string_view name) = 0;

    /// Keeps the window above all others (true) or lets others cover it
    /// again (false), without moving, resizing or activating it; the window
    /// is shown. Returns false when the window is not loaded or the window
    /// system refused.
    virtual bool setWindowTopMost(std::string_view name, bool topMost) = 0;

    /// Puts the window below all the program's others; nothing when it is
    /// not loaded.
    virtual void sendToBack(std::string_view name) = 0;

    /// Raises the window above the others; nothing when it is not loaded.
    virtual void bringToFront(std::string_view name) = 0;
};

} // namespace kelvo
