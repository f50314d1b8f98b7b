#pragma once

#include "services/message_boxes.h"
#include "speech/catalogue_files.h"
#include "windows/bookmark_matching_view.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelvo {

/// The columns of the two lists, as a header click names them.
enum class BookmarkColumn { Website, Source, Description };
enum class CustomListColumn { Phrase, Website };

/// What the matching window needs of the rest of the program.
struct BookmarkMatchingServices {
    MessageBoxes& boxes;
    const CatalogueFiles& files;
    /// Opens an address in the browser.
    std::function<void(const std::string&)> openAddress;
    /// Builds the bookmark list again from the import dialog's sources,
    /// with the filter "filter" or "".
    std::function<void(const std::string&)> rebuild;
    /// Opens the help topic.
    std::function<void(const std::string&)> openHelp;
};

/// The matching window frmMatchBookmarks: the imported bookmarks beside the
/// existing custom commands; a tick opens a bookmark, a double click makes
/// a command of it, a header click sorts.
class BookmarkMatchingLogic {
public:
    BookmarkMatchingLogic(BookmarkMatchingView& view, BookmarkMatchingServices services);

    /// The window's load: narrow, and the commands listed.
    void formLoad();
    /// Fills the list of existing custom commands from the store.
    void loadCurrentVoiceCommands();

    /// Empties the bookmark list (a build starts).
    void clearBookmarks();
    /// Adds one bookmark row, unless the filter is on and a custom command
    /// already opens its address.
    void listBookmark(const std::string& source, const std::string& description,
                      const std::string& address, const std::string& filter);
    bool hasBookmarks() const { return !m_rows.empty(); }
    const std::vector<BookmarkListRow>& bookmarkRows() const { return m_rows; }

    /// The filter box was clicked: the list is built again with or without it.
    void check1Clicked();
    /// The box that shows the commands was clicked.
    void check2Clicked(bool ticked);
    void command1Clicked();

    /// A row's box changed; a tick opens its address.
    void bookmarkTicked(size_t row, bool ticked);
    void bookmarkHeaderClicked(BookmarkColumn column);
    void commandHeaderClicked(CustomListColumn column);
    /// A double click on the bookmark list, on that row or on none.
    void bookmarkDoubleClicked(std::optional<size_t> row);

    void showWindow();

private:
    struct SortState {
        int column = 0;
        bool ascending = true;
        bool on = false;
    };

    std::vector<std::string> commandAddresses() const;
    void showBookmarks();

    BookmarkMatchingView& m_view;
    BookmarkMatchingServices m_s;
    std::vector<BookmarkListRow> m_rows;
    std::vector<CommandListRow> m_commands;
    SortState m_bookmarkSort;
    SortState m_commandSort;
    // Addresses of the custom commands, read once per filtered build.
    std::optional<std::vector<std::string>> m_filterAddresses;
};

} // namespace kelvo
