#include "integrations/bookmarks/bookmark_rows.h"

#include "platform/ascii_text.h"

#include <algorithm>

namespace kelvo::bookmarks {

SearchFilter::SearchFilter(std::string_view searchText, bool filterOn) : m_on(filterOn) {
    m_lowerText.reserve(searchText.size());
    for (char c : searchText) {
        m_lowerText.push_back(asciiLower(c));
    }
}

bool SearchFilter::matches(std::string_view title, std::string_view address) const {
    if (!m_on || m_lowerText.empty()) {
        return true;
    }
    return containsLowered(title, m_lowerText) || containsLowered(address, m_lowerText);
}

bool containsLowered(std::string_view text, std::string_view lowerNeedle) {
    if (lowerNeedle.empty()) {
        return true;
    }
    const auto found = std::search(text.begin(), text.end(), lowerNeedle.begin(), lowerNeedle.end(),
                                   [](char a, char b) { return asciiLower(a) == b; });
    return found != text.end();
}

} // namespace kelvo::bookmarks
