#pragma once

#include <string>
#include <vector>

namespace kelvo {

/// One row of the bookmark list: the address (the row's text), where it
/// came from and its description, and whether its box is ticked.
struct BookmarkListRow {
    std::string website;
    std::string source;
    std::string description;
    bool ticked = false;
    bool operator==(const BookmarkListRow&) const = default;
};

/// One row of the list of existing custom commands.
struct CommandListRow {
    std::string phrase;
    std::string website;
    bool operator==(const CommandListRow&) const = default;
};

/// The matching window frmMatchBookmarks as its logic sees it: the list of
/// bookmarks, the list of custom commands, the filter box and the width.
/// Calls never fail; text is plain text.
class BookmarkMatchingView {
public:
    virtual ~BookmarkMatchingView() = default;

    /// Replaces the bookmark list's rows, in this order.
    virtual void setBookmarkRows(const std::vector<BookmarkListRow>& rows) = 0;
    /// Replaces the custom-command list's rows, in this order.
    virtual void setCommandRows(const std::vector<CommandListRow>& rows) = 0;
    /// Narrow (only the bookmarks) or wide (the commands beside them).
    virtual void setWide(bool wide) = 0;
    /// True while the filter box is ticked.
    virtual bool filterTicked() const = 0;
    virtual void setBusyPointer(bool busy) = 0;
    /// Shows the window (not modal) on top of the others.
    virtual void showWindow() = 0;
    /// Shows the phrase editor for the row, modal; returns once it closed.
    virtual void showPhraseEditor(const BookmarkListRow& row) = 0;
};

} // namespace kelvo
