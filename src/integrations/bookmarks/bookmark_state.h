#pragma once

#include <array>
#include <string>
#include <vector>

namespace kelvo {

/// One bookmark of the web service.
struct WebBookmark {
    std::string description;
    std::string address;
    bool operator==(const WebBookmark&) const = default;
};

/// What the bookmark dialogs and the voice search keep for the whole run.
struct BookmarkState {
    /// "true" from an arming phrase until the search has run.
    std::string bookmarkSearchPending;
    /// The web-service bookmarks of the last successful request.
    std::vector<WebBookmark> importedBookmarks;
    /// The sources the user ticked in the import dialog (Internet Explorer,
    /// Firefox, Safari, the web service). Kept here rather than in the
    /// dialog: the matching window's rebuild reads them after the dialog
    /// closed, and a dialog opened again shows them.
    std::array<bool, 4> importSources{};
};

} // namespace kelvo
