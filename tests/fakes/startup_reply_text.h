#pragma once

#include <map>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// A well-formed start-up reply of 42 fields, with the given fields
/// replaced (field number to text).
inline std::string startupReplyText(const std::map<size_t, std::string>& changes = {},
                                    size_t fieldCount = 42) {
    std::vector<std::string> fields(fieldCount);
    const std::map<size_t, std::string> defaults = {{0, "0001"},
                                                    {1, "12/1/2026"},
                                                    {3, ""},
                                                    {4, ""},
                                                    {5, "7"},
                                                    {6, "1"},
                                                    {7, "0"},
                                                    {8, "0"},
                                                    {9, "0"},
                                                    {10, "local"},
                                                    {11, "#"},
                                                    {12, "#"},
                                                    {13, "#"},
                                                    {14, "2.7"},
                                                    {15, "12/1/2026 10:00:00 AM"},
                                                    {16, "12/1/2026 10:00:00 AM"},
                                                    {38, "http://127.0.0.1:1/"},
                                                    {39, "0"},
                                                    {40, "0"},
                                                    {41, ""}};
    for (size_t i = 17; i <= 33 && i < fieldCount; ++i) {
        fields[i] = "11/30/2026 9:15:00 PM";
    }
    for (const auto& [field, text] : defaults) {
        if (field < fieldCount) {
            fields[field] = text;
        }
    }
    for (const auto& [field, text] : changes) {
        if (field < fieldCount) {
            fields[field] = text;
        }
    }
    std::string reply;
    for (size_t i = 0; i < fields.size(); ++i) {
        reply += (i ? "|" : "") + fields[i];
    }
    return reply;
}

} // namespace kelvo::fakes
