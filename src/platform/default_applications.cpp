#include "platform/default_applications.h"

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"
#include "platform/shell.h"
#include "platform/special_folders.h"

#include <set>
#include <vector>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> splitList(std::string_view text, char separator) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const auto end = text.find(separator);
        if (std::string_view item = text.substr(0, end); !item.empty()) {
            items.emplace_back(item);
        }
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return items;
}

/// The user's folder of a kind, then the system's (absolute ones only).
std::vector<fs::path> baseFolders(const Environment& env, std::string_view homeVariable,
                                  const fs::path& underHome, std::string_view listVariable,
                                  std::string_view listDefault) {
    std::vector<fs::path> folders;
    if (auto home = xdgBaseFolder(env, homeVariable, underHome)) {
        folders.push_back(*home);
    }
    const std::string list = nonEmpty(env, listVariable).value_or(std::string(listDefault));
    for (const std::string& folder : splitList(list, ':')) {
        if (fs::path(folder).is_absolute()) {
            folders.emplace_back(folder);
        }
    }
    return folders;
}

/// The mimeapps.list files, most important first.
std::vector<fs::path> mimeappsFiles(const Environment& env,
                                    const std::vector<fs::path>& applicationFolders) {
    std::vector<std::string> names;
    for (const std::string& desktop :
         splitList(nonEmpty(env, "XDG_CURRENT_DESKTOP").value_or(""), ':')) {
        names.push_back(asciiLowered(desktop) + "-mimeapps.list");
    }
    names.emplace_back("mimeapps.list");
    std::vector<fs::path> files;
    for (const fs::path& folder :
         baseFolders(env, "XDG_CONFIG_HOME", ".config", "XDG_CONFIG_DIRS", "/etc/xdg")) {
        for (const std::string& name : names) {
            files.push_back(folder / name);
        }
    }
    for (const fs::path& folder : applicationFolders) {
        for (const std::string& name : names) {
            files.push_back(folder / name);
        }
    }
    return files;
}

/// The installed application an id names, looked up in the folders in
/// order; nullopt when it is missing, hidden, no application or its TryExec
/// program is not there.
std::optional<DesktopEntry> installedApplication(const Environment& env,
                                                 const std::vector<fs::path>& folders,
                                                 const std::string& id) {
    // A path ends at a NUL, so an id holding one would name another file.
    if (id.find_first_of(std::string_view("/\0", 2)) != std::string::npos) {
        return std::nullopt;
    }
    for (const fs::path& folder : folders) {
        std::error_code error;
        if (!fs::is_regular_file(folder / id, error)) {
            continue;
        }
        // The first folder holding the id decides, even when it hides it.
        auto entry = readDesktopEntry(folder / id);
        if (!entry || entry->hidden || entry->type != "Application" ||
            (!entry->tryExec.empty() &&
             !findOnPath(entry->tryExec, nonEmpty(env, "PATH").value_or("")))) {
            return std::nullopt;
        }
        return entry;
    }
    return std::nullopt;
}

} // namespace

std::optional<DesktopEntry> defaultApplicationFor(const Environment& env,
                                                  std::string_view mimeType) {
    std::vector<fs::path> applications;
    for (const fs::path& folder : baseFolders(env, "XDG_DATA_HOME", ".local/share", "XDG_DATA_DIRS",
                                              "/usr/local/share:/usr/share")) {
        applications.push_back(folder / "applications");
    }
    std::vector<std::string> lists;
    for (const fs::path& file : mimeappsFiles(env, applications)) {
        if (auto text = readWholeFile(file)) {
            lists.push_back(std::move(text).value());
        }
    }
    const auto idsIn = [mimeType](const std::string& text, std::string_view group) {
        const KeyFileGroup keys = keyFileGroup(text, group);
        const auto found = keys.find(mimeType);
        return found == keys.end() ? std::vector<std::string>() : splitList(found->second, ';');
    };
    for (const std::string& text : lists) {
        for (const std::string& id : idsIn(text, "Default Applications")) {
            if (auto entry = installedApplication(env, applications, id)) {
                return entry;
            }
        }
    }
    // A removal in a file hides the association from that file on down.
    std::set<std::string> removed;
    for (const std::string& text : lists) {
        for (std::string& id : idsIn(text, "Removed Associations")) {
            removed.insert(std::move(id));
        }
        for (const std::string& id : idsIn(text, "Added Associations")) {
            if (removed.count(id) == 0) {
                if (auto entry = installedApplication(env, applications, id)) {
                    return entry;
                }
            }
        }
    }
    for (const fs::path& folder : applications) {
        auto cache = readWholeFile(folder / "mimeinfo.cache");
        if (!cache) {
            continue;
        }
        for (const std::string& id : idsIn(*cache, "MIME Cache")) {
            if (removed.count(id) == 0) {
                if (auto entry = installedApplication(env, applications, id)) {
                    return entry;
                }
            }
        }
    }
    return std::nullopt;
}

} // namespace kelvo
