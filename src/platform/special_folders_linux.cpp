#include "platform/special_folders.h"

#include "platform/atomic_file.h"

#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

#ifndef KELVO_BUILT_IN_RESOURCES
#error "KELVO_BUILT_IN_RESOURCES must name the source tree's resources folder"
#endif

namespace kelvo {

namespace fs = std::filesystem;

namespace {

constexpr int kPathNotFound = 76;

std::optional<fs::path> passwordHome() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] == '\0') {
        return std::nullopt;
    }
    return fs::path(found->pw_dir);
}

class XdgFolders final : public SpecialFolders {
public:
    XdgFolders(Environment env, fs::path executable, fs::path builtInResources)
        : m_env(std::move(env)), m_executable(std::move(executable)),
          m_builtInResources(std::move(builtInResources)) {}

    Result<fs::path> dataFolder() const override {
        auto base = xdgBaseFolder(m_env, "XDG_DATA_HOME", ".local/share");
        if (!base) {
            return base.error();
        }
        return *base / "kelvo";
    }

    Result<fs::path> documentsFolder() const override {
        auto home = homeFolder(m_env);
        if (!home) {
            return home.error();
        }
        fs::path folder = *home / "Documents";
        auto config = xdgBaseFolder(m_env, "XDG_CONFIG_HOME", ".config");
        if (config) {
            if (auto text = readWholeFile(*config / "user-dirs.dirs")) {
                if (auto named = documentsDirFromUserDirs(*text, *home)) {
                    folder = *named;
                }
            }
        }
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec || !fs::is_directory(folder, ec)) {
            return Status::failure(kPathNotFound,
                                   "cannot make the documents folder " + folder.string());
        }
        return folder;
    }

    Result<fs::path> startupFolder() const override {
        auto config = xdgBaseFolder(m_env, "XDG_CONFIG_HOME", ".config");
        if (!config) {
            return config.error();
        }
        return *config / "autostart";
    }

    fs::path programFolder() const override {
        std::error_code ec;
        if (!m_executable.empty()) {
            const fs::path installed = m_executable.parent_path().parent_path() / "share" / "kelvo";
            if (fs::is_directory(installed, ec)) {
                return installed;
            }
        }
        return m_builtInResources;
    }

    fs::path systemFolder() const override { return "/usr/bin"; }

private:
    Environment m_env;
    fs::path m_executable;
    fs::path m_builtInResources;
};

} // namespace

Result<fs::path> homeFolder(const Environment& env) {
    if (auto value = nonEmpty(env, "HOME"); value && fs::path(*value).is_absolute()) {
        return fs::path(*value);
    }
    if (auto home = passwordHome()) {
        return *home;
    }
    return Status::failure(kPathNotFound, "no home folder: HOME is not set");
}

Result<fs::path> xdgUserFolder(const Environment& env, std::string_view key,
                               const fs::path& underHome) {
    auto home = homeFolder(env);
    if (!home) {
        return home.error();
    }
    if (auto config = xdgBaseFolder(env, "XDG_CONFIG_HOME", ".config")) {
        if (auto text = readWholeFile(*config / "user-dirs.dirs")) {
            if (auto named = userDirFromUserDirs(*text, key, *home)) {
                return *named;
            }
        }
    }
    return *home / underHome;
}

Result<fs::path> xdgBaseFolder(const Environment& env, std::string_view variable,
                               const fs::path& underHome) {
    if (auto value = nonEmpty(env, variable); value && fs::path(*value).is_absolute()) {
        return fs::path(*value);
    }
    auto home = homeFolder(env);
    if (!home) {
        return home.error();
    }
    return *home / underHome;
}

std::optional<fs::path> documentsDirFromUserDirs(std::string_view text, const fs::path& home) {
    return userDirFromUserDirs(text, "XDG_DOCUMENTS_DIR", home);
}

std::optional<fs::path> userDirFromUserDirs(std::string_view text, std::string_view key,
                                            const fs::path& home) {
    std::optional<fs::path> found;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos) {
            continue;
        }
        line.remove_prefix(first);
        if (!line.starts_with(key) || line.substr(key.size()).find('=') != 0) {
            continue;
        }
        line.remove_prefix(key.size() + 1);
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        if (line.size() < 2 || line.front() != '"' || line.back() != '"') {
            continue;
        }
        std::string value(line.substr(1, line.size() - 2));
        if (value.starts_with("$HOME")) {
            std::string rest = value.substr(5);
            if (!rest.empty() && rest.front() != '/') {
                continue;
            }
            while (!rest.empty() && rest.front() == '/') {
                rest.erase(0, 1);
            }
            found = rest.empty() ? home : home / rest;
        } else if (fs::path(value).is_absolute()) {
            found = fs::path(value);
        }
    }
    return found;
}

std::unique_ptr<SpecialFolders> makeXdgFolders(Environment env, fs::path executable,
                                               fs::path builtInResources) {
    return std::make_unique<XdgFolders>(std::move(env), std::move(executable),
                                        std::move(builtInResources));
}

std::unique_ptr<SpecialFolders> makeSystemFolders() {
    std::error_code ec;
    fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        executable.clear();
    }
    return makeXdgFolders(processEnvironment(), executable, KELVO_BUILT_IN_RESOURCES);
}

} // namespace kelvo
