#pragma once

#include "integrations/bookmarks/bookmark_rows.h"
#include "platform/status.h"

#include <filesystem>

namespace kelvo::bookmarks {

/// Reads the bookmarks of a Firefox places.sqlite: every bookmark entry
/// (not folders, separators, tag entries or "place:" queries), in folder
/// order, titled by its own title or else its page's. The database and its
/// write-ahead log are first copied into a private temporary folder and the
/// copy is opened read-only, so a running Firefox's lock neither blocks the
/// read nor is disturbed by it. Rows the filter keeps are appended. Fails,
/// appending nothing, when the file cannot be copied or is no readable
/// places database.
Status readPlacesDatabase(const std::filesystem::path& database, const SearchFilter& filter,
                          BookmarkRows& rows);

} // namespace kelvo::bookmarks
