#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kelvo {

/// Looks up an environment variable; nullopt when it is unset. The Linux
/// services take one so tests can give them a home of their own.
using Environment = std::function<std::optional<std::string>(std::string_view name)>;

/// The process environment, read at each call.
Environment processEnvironment();

/// The value of name when it is set and not empty.
std::optional<std::string> nonEmpty(const Environment& env, std::string_view name);

} // namespace kelvo
