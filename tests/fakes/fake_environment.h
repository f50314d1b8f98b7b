#pragma once

#include "platform/environment.h"

#include <map>
#include <string>

namespace kelvo::fakes {

/// An environment holding only the given variables.
inline Environment environmentOf(std::map<std::string, std::string, std::less<>> variables) {
    return [variables = std::move(variables)](std::string_view name) -> std::optional<std::string> {
        auto it = variables.find(name);
        if (it == variables.end()) {
            return std::nullopt;
        }
        return it->second;
    };
}

} // namespace kelvo::fakes
