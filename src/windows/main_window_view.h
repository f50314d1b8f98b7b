#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kelvo {

/// The pages of the tab area. They lie on top of each other; the logic keeps
/// exactly one visible.
enum class Frame {
    VoiceCommands,  // Basic
    MouseConfig,    // Options
    WebCommands,    // Places
    CustomCommands, // Custom
    ClientCommands, // Client (its tab is removed at start)
    FirstTime,      // welcome page, never shown
    Music,
    Bookmarks,
    Searches,
    Social,
    Stuff,
    Fun,
};
inline constexpr int kFrameCount = 12;

/// The list views of the main window.
enum class ListId {
    Basic,
    Facebook,
    MySpace,
    Login,
    MusicBasic,
    MusicPlay,
    MusicSearch,
    MusicOther,
    Stuff,
    Places,
    Fun,
    RegularSearch,
    SpellSearch,
    Custom,
};

/// The three start-up check boxes of the Options page.
enum class CheckBox { ShowSplash, ShowMain, AutoStart };

/// The main window as its logic sees it. src/ui implements it with Qt
/// widgets; tests use a recording fake. Calls never fail: a widget that is
/// missing simply ignores them.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    /// Sets the location label (plain text).
    virtual void setLocationText(const std::string& text) = 0;

    /// Shows the start page file in the start-page pane.
    virtual void showStartPage(const std::filesystem::path& page) = 0;

    /// Shows or hides one ad pane (1 to 4), showing the page file in it.
    virtual void setAdPane(int pane, const std::filesystem::path& page, bool visible) = 0;

    /// Sets a check box without running its click handler.
    virtual void setCheckBox(CheckBox box, bool checked) = 0;

    /// Shows or hides one page of the tab area.
    virtual void setFrameVisible(Frame frame, bool visible) = 0;
    virtual bool isFrameVisible(Frame frame) const = 0;

    /// The Tags of the live tabs, left to right.
    virtual std::vector<std::string> tabTags() const = 0;
    /// Index of the selected tab, -1 when none.
    virtual int selectedTab() const = 0;
    /// Selects a tab without reporting it as a click.
    virtual void selectTab(int index) = 0;
    /// Removes a tab (not its page).
    virtual void removeTab(int index) = 0;

    /// Removes all rows and all column headers of a list.
    virtual void clearList(ListId list) = 0;
    /// Adds a column header; width in twips (15 per pixel).
    virtual void addListColumn(ListId list, const std::string& header, int widthTwips) = 0;
    /// Appends a row: the words, then the sub-item texts (plain text).
    virtual void addListRow(ListId list, const std::vector<std::string>& cells) = 0;
    virtual int listRowCount(ListId list) const = 0;
    /// The texts of the list's selected row; empty when none is selected.
    virtual std::vector<std::string> selectedListRow(ListId list) const = 0;
    /// Makes a list usable or not (an unusable list takes no focus or clicks).
    virtual void setListEnabled(ListId list, bool enabled) = 0;

    /// Appends an item to the chat-program combo box.
    virtual void addChatProgramItem(const std::string& name) = 0;
    /// Sets the label under the combo box (plain text).
    virtual void setWebcamLabel(const std::string& text) = 0;
    /// Asks the user for a program file; nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseProgramFile() = 0;

    /// The handedness button's caption and the picture beside it.
    virtual void setHandednessButton(const std::string& caption,
                                     const std::filesystem::path& picture) = 0;

    /// Shows image 1 to 4 of the listening indicator (1 awake, 2 awake under
    /// the pointer, 3 asleep, 4 asleep under the pointer).
    virtual void setListeningImage(int image) = 0;

    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    virtual bool isWindowVisible() const = 0;
};

} // namespace kelvo
