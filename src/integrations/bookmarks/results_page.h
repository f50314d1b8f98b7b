#pragma once

#include "integrations/bookmarks/bookmark_rows.h"
#include "platform/status.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvo::bookmarks {

/// One browser's part of the results page.
struct BrowserResults {
    std::string name; // "Internet Explorer", "Firefox", "Safari"
    /// A browser that is not there gets no heading of its own.
    bool registered = false;
    BookmarkRows rows;
};

/// True for the addresses the page may link to: http, https, ftp and file.
bool isLinkableAddress(std::string_view address);

/// The results page made from the template (well-formed XHTML holding a
/// `strong` named "searchtitle" and a `td` named "searchresults"): the
/// title says what was searched for, in lower case, and the cell gets a
/// table per browser listing its rows as links. Every title and address is
/// written as text, never as markup; a row whose address is not linkable is
/// listed without a link, and a row without a title shows its address.
/// Fails when the template is not well-formed or has no results cell.
Result<std::string> buildResultsPage(std::string_view templateText, std::string_view searchText,
                                     const std::vector<BrowserResults>& browsers);

} // namespace kelvo::bookmarks
