#pragma once

#include "speech/command_list_port.h"

#include <map>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Keeps what each list shows now and counts the calls that set it.
class FakeCommandListPort : public CommandListPort {
public:
    void setCatalogueRows(CommandList list, const std::vector<std::string>& rows) override {
        catalogueRows[list] = rows;
        ++catalogueCalls;
    }
    void setCustomRows(const std::vector<CustomListRow>& rows) override {
        customRows = rows;
        ++customCalls;
    }

    std::vector<std::string> rowsOf(CommandList list) const {
        const auto found = catalogueRows.find(list);
        return found == catalogueRows.end() ? std::vector<std::string>{} : found->second;
    }

    std::map<CommandList, std::vector<std::string>> catalogueRows;
    std::vector<CustomListRow> customRows;
    int catalogueCalls = 0;
    int customCalls = 0;
};

} // namespace kelvo::fakes
