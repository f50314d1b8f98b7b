#pragma once

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
};

} // namespace kelvo
