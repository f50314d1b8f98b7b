#pragma once

#include "platform/environment.h"
#include "platform/status.h"

#include <filesystem>
#include <memory>

namespace kelvo {

/// The folders the program keeps its files in, as the desktop names them.
class SpecialFolders {
public:
    virtual ~SpecialFolders() = default;

    /// The per-user data folder (settings, catalogue, grammars, logs). Not
    /// created here. Fails when no home folder can be found.
    virtual Result<std::filesystem::path> dataFolder() const = 0;

    /// The user's documents folder, created when missing. Fails when it
    /// can't be found or made.
    virtual Result<std::filesystem::path> documentsFolder() const = 0;

    /// The folder whose entries start with the desktop session.
    virtual Result<std::filesystem::path> startupFolder() const = 0;

    /// The folder of the program's read-only resources (templates, sounds,
    /// pictures, installed defaults). Always answers.
    virtual std::filesystem::path programFolder() const = 0;

    /// Where the desktop's own programs live (file manager, calculator).
    virtual std::filesystem::path systemFolder() const = 0;
};

/// The XDG folders: data in $XDG_DATA_HOME/kelvo, documents from
/// user-dirs.dirs, start-up entries in $XDG_CONFIG_HOME/autostart. The
/// program folder is share/kelvo beside the executable's folder when that
/// exists, else builtInResources.
std::unique_ptr<SpecialFolders> makeXdgFolders(Environment env, std::filesystem::path executable,
                                               std::filesystem::path builtInResources);

/// The XDG folders for the running program (its environment, its
/// executable, the resources of the tree it was built from).
std::unique_ptr<SpecialFolders> makeSystemFolders();

/// An XDG base folder: the variable when it holds an absolute path, else
/// underHome below $HOME (or the password entry's home). Fails when no home
/// folder is known.
Result<std::filesystem::path> xdgBaseFolder(const Environment& env, std::string_view variable,
                                            const std::filesystem::path& underHome);

/// The documents folder named by a user-dirs.dirs text, "$HOME" expanded;
/// nullopt when the text names none or an unusable (relative) one.
std::optional<std::filesystem::path> documentsDirFromUserDirs(std::string_view text,
                                                              const std::filesystem::path& home);

/// The folder a user-dirs.dirs text names by a key such as "XDG_MUSIC_DIR",
/// as documentsDirFromUserDirs reads it.
std::optional<std::filesystem::path>
userDirFromUserDirs(std::string_view text, std::string_view key, const std::filesystem::path& home);

/// The user's folder of a user-dirs.dirs key ("XDG_MUSIC_DIR"), else
/// underHome below the home folder. Not created here. Fails when no home
/// folder is known.
Result<std::filesystem::path> xdgUserFolder(const Environment& env, std::string_view key,
                                            const std::filesystem::path& underHome);

/// The home folder: $HOME when it is absolute, else the password entry's.
Result<std::filesystem::path> homeFolder(const Environment& env);

} // namespace kelvo
