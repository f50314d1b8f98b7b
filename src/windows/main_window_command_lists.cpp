#include "windows/main_window_command_lists.h"

#include "windows/main_window_lists.h"

namespace kelvo {

ListId listIdOf(CommandList list) {
    switch (list) {
    case CommandList::Stuff:
        return ListId::Stuff;
    case CommandList::Places:
        return ListId::Places;
    case CommandList::PureFun:
        return ListId::Fun;
    case CommandList::Searches:
        return ListId::RegularSearch;
    case CommandList::SpellSearches:
        return ListId::SpellSearch;
    case CommandList::MySpace:
        return ListId::MySpace;
    case CommandList::Facebook:
        break;
    }
    return ListId::Facebook;
}

void MainWindowCommandLists::setCatalogueRows(CommandList list,
                                              const std::vector<std::string>& rows) {
    const ListId id = listIdOf(list);
    m_view.clearList(id);
    const FixedList* fixed = nullptr;
    for (const FixedList& social : socialLists()) {
        if (social.id == id) {
            fixed = &social;
        }
    }
    if (fixed) {
        for (const ListColumn& column : fixed->columns) {
            m_view.addListColumn(id, column.header, column.widthTwips);
        }
        for (const auto& row : fixed->rows) {
            m_view.addListRow(id, row);
        }
    } else {
        const ListHeader header = headerOf(list);
        m_view.addListColumn(id, std::string(header.text), header.widthTwips);
    }
    for (const std::string& row : rows) {
        m_view.addListRow(id, {row});
    }
}

void MainWindowCommandLists::setCustomRows(const std::vector<CustomListRow>& rows) {
    m_view.clearList(ListId::Custom);
    m_view.addListColumn(ListId::Custom, std::string(kCustomPhraseHeader.text),
                         kCustomPhraseHeader.widthTwips);
    m_view.addListColumn(ListId::Custom, std::string(kCustomTargetHeader.text),
                         kCustomTargetHeader.widthTwips);
    for (const CustomListRow& row : rows) {
        m_view.addListRow(ListId::Custom, {row.phrase, row.target});
    }
}

} // namespace kelvo
