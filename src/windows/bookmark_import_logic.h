#pragma once

#include "integrations/bookmarks/bookmark_state.h"
#include "integrations/bookmarks/bookmark_stores.h"
#include "services/http_client.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "windows/bookmark_import_view.h"
#include "windows/bookmark_matching_logic.h"

#include <functional>
#include <string>

namespace kelvo {

/// The caption of a source's box ("View Firefox Bookmarks").
std::string importSourceCaption(ImportSource source);
/// The name the Source column shows for a source.
std::string importSourceName(ImportSource source);

/// What the import dialog needs of the rest of the program.
struct BookmarkImportServices {
    BookmarkState& state;
    SettingsFile& settings;
    MessageBoxes& boxes;
    HttpClient& http;
    /// The matching window's logic, the window loaded when needed.
    std::function<BookmarkMatchingLogic&()> matching;
    /// Where the browsers keep their bookmarks, asked at each build.
    std::function<bookmarks::BookmarkStores()> stores;
    /// Gets each store that had to be skipped, for the log.
    std::function<void(const std::string&)> log;
    /// Shows the main window again when the dialog closes.
    std::function<void()> showMainWindow;
};

/// The import dialog frmImport: the user ticks the sources and builds the
/// list of the matching window from them.
class BookmarkImportLogic {
public:
    BookmarkImportLogic(BookmarkImportView& view, BookmarkImportServices services);

    /// Shows the sources the user ticked before, in this dialog or in an
    /// earlier one.
    void formLoad();
    /// The user ticked or cleared a source's box (ckDL also shows or hides
    /// the log-in panel).
    void sourceClicked(ImportSource source, bool ticked);
    /// The build button.
    void command2Clicked();
    /// Reads the ticked sources into the matching window and shows it.
    void importBookmarks(const std::string& filter);
    /// The matching window's rebuild: the cached web rows and the ticked
    /// browsers again, without a web request.
    void reImportBookmarks(const std::string& filter);
    void formUnload();

private:
    bool isTicked(ImportSource source) const;
    bool anyTicked() const;
    void importWebBookmarks(const std::string& filter);
    void listBrowsers(const std::string& filter);
    void resetImportStatus();

    BookmarkImportView& m_view;
    BookmarkImportServices m_s;
};

} // namespace kelvo
