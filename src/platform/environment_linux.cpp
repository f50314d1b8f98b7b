#include "platform/environment.h"

#include <cstdlib>

namespace kelvo {

Environment processEnvironment() {
    return [](std::string_view name) -> std::optional<std::string> {
        const char* value = std::getenv(std::string(name).c_str());
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::string(value);
    };
}

std::optional<std::string> nonEmpty(const Environment& env, std::string_view name) {
    auto value = env(name);
    if (!value || value->empty()) {
        return std::nullopt;
    }
    return value;
}

} // namespace kelvo
