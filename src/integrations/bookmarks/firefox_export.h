#pragma once

#include "integrations/bookmarks/bookmark_rows.h"

#include <string_view>

namespace kelvo::bookmarks {

/// Takes every link of a browser's bookmarks.html export (the "Netscape"
/// bookmark file) in document order: each A element with a non-empty HREF,
/// its title being the element's text. Attribute values may be quoted
/// either way or not at all; character references are decoded once in
/// titles and addresses; blanks, commas and line breaks inside either are
/// kept (runs of whitespace in a title become one blank). Firefox's own
/// "place:" queries are no pages and are left out. Rows the filter keeps
/// are appended to rows. Never fails: text it cannot read is skipped.
void parseFirefoxExport(std::string_view html, const SearchFilter& filter, BookmarkRows& rows);

} // namespace kelvo::bookmarks
