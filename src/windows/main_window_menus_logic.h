#pragma once

#include "windows/generated_page.h"

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace kelvo {

class HelpTopics;
class MessageBoxes;
class WindowRegistry;

/// What a menu item or help button does.
enum class MenuKind {
    HelpTopic, // target: a topic of the help folder
    WebPage,   // target: a path on the maker's site, or a whole address
    Dialog,    // target: the window's registry name
    Action,    // target: the name of work handed in by setHandler
};

/// How a dialog item treats the main window.
enum class DialogOrder {
    HideFirst,      // hide the main window, then show the dialog
    ShowFirst,      // show the dialog, then hide the main window
    HideFirstRaise, // as HideFirst, then raise the dialog above all others
    KeepMain,       // show the dialog, leave the main window as it is
};

struct MenuItem {
    std::string_view control;
    MenuKind kind;
    std::string_view target;
    DialogOrder order = DialogOrder::HideFirst;
    /// What the user is told is missing when the dialog or action is not in
    /// the program yet.
    std::string_view what = {};
};

/// Every menu item and help button of the main window that this class runs.
std::span<const MenuItem> mainWindowMenuItems();

/// The main window's menu items and help buttons: help topics, pages of the
/// maker's site, and dialogs of other parts.
class MainWindowMenusLogic {
public:
    MainWindowMenusLogic(HelpTopics& help, OpenAddress open, WindowRegistry& windows,
                         MessageBoxes& boxes);

    /// Runs the item of that control name; false when there is none.
    bool activate(std::string_view control);

    /// Gives an Action item its work, or replaces what any item does.
    void setHandler(std::string_view control, std::function<void()> handler);

private:
    void showDialog(const MenuItem& item);
    void notAvailable(std::string_view what);

    HelpTopics& m_help;
    OpenAddress m_open;
    WindowRegistry& m_windows;
    MessageBoxes& m_boxes;
    std::map<std::string, std::function<void()>, std::less<>> m_handlers;
};

} // namespace kelvo
