#include "windows/bookmark_matching_logic.h"

#include "platform/ascii_text.h"
#include "speech/custom_command_store.h"

#include <algorithm>

namespace kelvo {

namespace {

constexpr const char* kFilter = "filter";

// The list view's text order: without regard to ASCII case.
bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return asciiLower(x) < asciiLower(y);
    });
}

template <typename Row, typename Key>
void sortRows(std::vector<Row>& rows, bool ascending, Key key) {
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        return ascending ? lessIgnoringCase(key(a), key(b)) : lessIgnoringCase(key(b), key(a));
    });
}

const std::string& bookmarkKey(const BookmarkListRow& row, int column) {
    switch (static_cast<BookmarkColumn>(column)) {
    case BookmarkColumn::Source:
        return row.source;
    case BookmarkColumn::Description:
        return row.description;
    case BookmarkColumn::Website:
        break;
    }
    return row.website;
}

} // namespace

BookmarkMatchingLogic::BookmarkMatchingLogic(BookmarkMatchingView& view,
                                             BookmarkMatchingServices services)
    : m_view(view), m_s(std::move(services)) {}

void BookmarkMatchingLogic::formLoad() {
    m_view.setWide(false);
    loadCurrentVoiceCommands();
}

void BookmarkMatchingLogic::loadCurrentVoiceCommands() {
    m_commands.clear();
    // A store that cannot be read lists no command, as everywhere else: the
    // start-up has told the user, and an error window here would end the
    // program.
    if (Result<std::vector<CustomCommand>> store =
            readCustomCommandStore(m_s.files.customStore())) {
        for (const CustomCommand& command : *store) {
            if (!command.display.empty()) {
                m_commands.push_back({command.display, command.target});
            }
        }
    }
    m_view.setCommandRows(m_commands);
}

void BookmarkMatchingLogic::clearBookmarks() {
    m_rows.clear();
    m_filterAddresses.reset();
    m_view.setBookmarkRows(m_rows);
}

std::vector<std::string> BookmarkMatchingLogic::commandAddresses() const {
    std::vector<std::string> addresses;
    if (Result<std::vector<CustomCommand>> store =
            readCustomCommandStore(m_s.files.customStore())) {
        for (const CustomCommand& command : *store) {
            addresses.push_back(command.target);
        }
    }
    std::sort(addresses.begin(), addresses.end());
    return addresses;
}

void BookmarkMatchingLogic::listBookmark(const std::string& source, const std::string& description,
                                         const std::string& address, const std::string& filter) {
    if (!filter.empty()) {
        if (!m_filterAddresses) {
            m_filterAddresses = commandAddresses();
        }
        if (std::binary_search(m_filterAddresses->begin(), m_filterAddresses->end(), address)) {
            return;
        }
    }
    m_rows.push_back({address, source, description, false});
}

void BookmarkMatchingLogic::showBookmarks() {
    if (m_bookmarkSort.on) {
        const int column = m_bookmarkSort.column;
        sortRows(m_rows, m_bookmarkSort.ascending,
                 [column](const BookmarkListRow& row) -> const std::string& {
                     return bookmarkKey(row, column);
                 });
    }
    m_view.setBookmarkRows(m_rows);
}

void BookmarkMatchingLogic::showWindow() {
    showBookmarks();
    m_view.showWindow();
}

void BookmarkMatchingLogic::check1Clicked() {
    clearBookmarks();
    if (m_s.rebuild) {
        m_s.rebuild(m_view.filterTicked() ? kFilter : "");
    }
    showBookmarks();
    m_view.setBusyPointer(false);
}

void BookmarkMatchingLogic::check2Clicked(bool ticked) {
    m_view.setWide(ticked);
}

void BookmarkMatchingLogic::command1Clicked() {
    if (m_s.openHelp) {
        m_s.openHelp("tab_bookmark.html#bookmark_import");
    }
}

void BookmarkMatchingLogic::bookmarkTicked(size_t row, bool ticked) {
    if (row >= m_rows.size()) {
        return;
    }
    m_rows[row].ticked = ticked;
    if (ticked && m_s.openAddress) {
        m_s.openAddress(m_rows[row].website);
    }
}

void BookmarkMatchingLogic::bookmarkHeaderClicked(BookmarkColumn column) {
    m_bookmarkSort.column = static_cast<int>(column);
    m_bookmarkSort.on = true;
    m_bookmarkSort.ascending = !m_bookmarkSort.ascending;
    showBookmarks();
}

void BookmarkMatchingLogic::commandHeaderClicked(CustomListColumn column) {
    m_commandSort.column = static_cast<int>(column);
    m_commandSort.ascending = !m_commandSort.ascending;
    const bool byPhrase = column == CustomListColumn::Phrase;
    sortRows(m_commands, m_commandSort.ascending,
             [byPhrase](const CommandListRow& row) -> const std::string& {
                 return byPhrase ? row.phrase : row.website;
             });
    m_view.setCommandRows(m_commands);
}

void BookmarkMatchingLogic::bookmarkDoubleClicked(std::optional<size_t> row) {
    if (!row || *row >= m_rows.size()) {
        m_s.boxes.custMsgBox("Unable To Remove A Command", "ok", "An item was not selected.", true);
        return;
    }
    m_view.showPhraseEditor(m_rows[*row]);
    loadCurrentVoiceCommands();
}

} // namespace kelvo
