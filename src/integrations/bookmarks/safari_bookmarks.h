#pragma once

#include "integrations/bookmarks/bookmark_rows.h"
#include "platform/status.h"

#include <string_view>

namespace kelvo::bookmarks {

/// Takes every bookmark of a Safari Bookmarks.plist in its XML form, in
/// document order: a dictionary with a "URLString" (titled by the "title"
/// of its "URIDictionary"), or one whose empty key holds the address and
/// whose key "title" holds the title. The text is read by an XML reader
/// that loads no DTD and expands no entity of its own. Rows the filter
/// keeps are appended. Fails, appending nothing, on a binary property list
/// or text that is not well-formed XML.
Status parseSafariBookmarks(std::string_view plist, const SearchFilter& filter, BookmarkRows& rows);

} // namespace kelvo::bookmarks
