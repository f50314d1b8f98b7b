#include "platform/speech/sphinx_accent_vowels.h"

#include <algorithm>
#include <sstream>

namespace kelvo::speech {

std::vector<std::string> accentVowelForms(std::string_view phones) {
    static constexpr std::pair<std::string_view, std::string_view> kShifts[] = {
        {"AE", "AA"}, {"AH", "UH"}, {"EY", "EH"}, {"OW", "AO"}, {"AA", "AO"}, {"AW", "UW"}};
    std::vector<std::string> split;
    std::istringstream stream{std::string(phones)};
    for (std::string phone; stream >> phone;) {
        split.push_back(std::move(phone));
    }
    std::vector<std::string> forms;
    for (const auto& [from, to] : kShifts) {
        if (std::find(split.begin(), split.end(), from) == split.end()) {
            continue;
        }
        std::string form;
        for (const std::string& phone : split) {
            form += (form.empty() ? "" : " ") + std::string(phone == from ? to : phone);
        }
        if (form != phones && std::find(forms.begin(), forms.end(), form) == forms.end()) {
            forms.push_back(std::move(form));
        }
    }
    return forms;
}

} // namespace kelvo::speech
