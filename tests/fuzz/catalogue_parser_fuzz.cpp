// Any bytes as commands.xml: the parser gives rows or an error, never a
// crash, and the clash renaming over its phrases stays consistent.
#include "speech/clash_renaming.h"
#include "speech/command_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unordered_set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto parsed = kelvo::parseCommandCatalogue(text);
    if (!parsed.ok()) {
        return 0;
    }
    std::size_t listed = 0;
    for (const auto& list : parsed->lists) {
        listed += list.size();
    }
    if (listed > parsed->rows.size()) {
        std::abort();
    }
    std::vector<std::string> phrases;
    for (const auto& row : parsed->rows) {
        phrases.push_back(row[kelvo::CommandColumn::Phrase]);
    }
    std::vector<std::string> custom = phrases;
    kelvo::renameClashes(phrases, custom);
    const std::unordered_set<std::string> catalogue(phrases.begin(), phrases.end());
    for (const auto& phrase : custom) {
        if (catalogue.count(phrase) != 0) {
            std::abort();
        }
    }
    return 0;
}
