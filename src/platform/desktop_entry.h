#pragma once

#include "platform/status.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The keys of one group of a desktop key file (a desktop entry, a
/// mimeapps.list), unlocalised keys only, values as written.
using KeyFileGroup = std::map<std::string, std::string, std::less<>>;

/// The group named in brackets in a key-file text; empty when it has none.
KeyFileGroup keyFileGroup(std::string_view text, std::string_view group);

/// What starting an application takes from its desktop entry.
struct DesktopEntry {
    std::filesystem::path file;
    std::string type;
    std::string name;
    std::string icon;
    std::string exec;
    std::string tryExec;
    bool hidden = false;
    /// The WM_CLASS its windows carry, when the entry says.
    std::string startupWmClass;
};

/// The "Desktop Entry" group of a desktop file, with the string escapes
/// (\s \n \t \r \\) of its values undone; nullopt when the file can't be
/// read or has no such group.
std::optional<DesktopEntry> readDesktopEntry(const std::filesystem::path& file);

/// The argument list the entry's Exec line asks for when it is started
/// without files: its quoting undone, the file and address codes (%f %F %u
/// %U) and the deprecated ones dropped, %i %c %k and %% expanded. Fails for
/// an empty line, an unclosed quote or an unknown code.
Result<std::vector<std::string>> execArguments(const DesktopEntry& entry);

} // namespace kelvo
