#pragma once

#include "integrations/bookmarks/bookmark_state.h"
#include "integrations/bookmarks/bookmark_stores.h"
#include "services/app_control.h"
#include "services/error_sink.h"
#include "speech/dispatch_host.h"
#include "speech/feedback_port.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelvo {

/// Location code of a failed bookmark search.
inline constexpr const char* kBookmarkSearchLocation = "MboPsbm";

/// What the voice bookmark search works with.
struct BookmarkSearchParts {
    BookmarkState& state;
    DispatchHost& host;
    AppControl& app;
    FeedbackPort& feedback;
    ErrorSink& errors;
    /// Where the stores are, asked at each search.
    std::function<bookmarks::BookmarkStores()> stores;
    /// The folder of bookmarks_template.html, and the one the page goes to.
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;
    /// Gets each store that had to be skipped, for the log.
    std::function<void(const std::string&)> log;
};

/// The two-step voice search: "search bookmarks" (or "spell search
/// bookmarks") switches the grammar to dictation, and the next text is
/// searched for in every store; the results page opens in the browser.
class BookmarkSearch {
public:
    explicit BookmarkSearch(BookmarkSearchParts parts) : m_p(std::move(parts)) {}

    /// Offered every recognised phrase; compares exactly, case included.
    /// Whatever fails is reported, and the search then ends with nothing
    /// pending and the grammar back on its commands.
    void searchBookmarks(const std::string& text);

    /// Forgets a search waiting for its words; the grammar is the caller's.
    void forgetPending() { m_p.state.bookmarkSearchPending = "false"; }

private:
    void arm(bool spelling, const std::string& text);
    /// The title of every bookmark of every store; read again only when a
    /// store changed.
    const std::vector<std::string>& allTitles();
    void search(const std::string& text);
    Status writeAndOpenPage(const std::string& text);
    void backToCommands();

    BookmarkSearchParts m_p;
    /// The stores the titles were read from; nothing when they were not
    /// all read.
    std::optional<std::string> m_titlesSignature;
    std::vector<std::string> m_titles;
};

} // namespace kelvo
