#include "speech/list_sorting.h"

#include <algorithm>
#include <utility>

namespace kelvo {

namespace {

unsigned char upper(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

} // namespace

bool listOrderLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char left, char right) { return upper(left) < upper(right); });
}

void sortCommandRows(std::vector<std::string>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
        return listOrderLess(a, b);
    });
}

void sortCommandRows(std::vector<CustomListRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const CustomListRow& a, const CustomListRow& b) {
        return listOrderLess(a.phrase, b.phrase);
    });
}

void swapArrayRows(std::size_t i, std::size_t j, std::vector<std::string>& rows) {
    std::swap(rows.at(i), rows.at(j));
}

void swapArrayRows(std::size_t i, std::size_t j, std::vector<CustomListRow>& rows) {
    std::swap(rows.at(i), rows.at(j));
}

void sortAndFillListView(std::vector<std::string>& rows, CommandListPort& port, CommandList list) {
    sortCommandRows(rows);
    std::vector<std::string> shown;
    shown.reserve(rows.size());
    for (const auto& row : rows) {
        if (!row.empty()) {
            shown.push_back(row);
        }
    }
    port.setCatalogueRows(list, shown);
}

void sortAndFillListView(std::vector<CustomListRow>& rows, CommandListPort& port) {
    sortCommandRows(rows);
    std::vector<CustomListRow> shown;
    shown.reserve(rows.size());
    for (const auto& row : rows) {
        if (!row.phrase.empty()) {
            shown.push_back(row);
        }
    }
    port.setCustomRows(shown);
}

} // namespace kelvo
