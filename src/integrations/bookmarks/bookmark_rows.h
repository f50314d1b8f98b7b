#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo::bookmarks {

/// One bookmark as a store holds it.
struct Bookmark {
    std::string title;
    std::string address;
    bool operator==(const Bookmark&) const = default;
};

using BookmarkRows = std::vector<Bookmark>;

/// The keep rule of every reader: with the filter off every bookmark is
/// taken, otherwise one whose title or address contains the search text,
/// ignoring the case of ASCII letters. An empty search text keeps all.
class SearchFilter {
public:
    /// Takes every bookmark.
    SearchFilter() = default;
    SearchFilter(std::string_view searchText, bool filterOn);

    bool matches(std::string_view title, std::string_view address) const;

private:
    std::string m_lowerText;
    bool m_on = false;
};

/// What one reader produced: the rows it took and, for each file or folder
/// it had to skip, a line saying which and why.
struct SourceRead {
    BookmarkRows rows;
    std::vector<std::string> problems;
};

/// True when the text contains the lower-case needle, ignoring the case of
/// ASCII letters in the text.
bool containsLowered(std::string_view text, std::string_view lowerNeedle);

} // namespace kelvo::bookmarks
