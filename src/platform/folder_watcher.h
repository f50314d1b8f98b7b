#pragma once

#include "platform/status.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kelvo {

/// A file or folder that was made, written, moved or deleted.
struct FolderChange {
    std::filesystem::path path;
    bool folder = false;
};

/// Tells which files of a set of folders were made, written, moved or
/// deleted (inotify). Folders are watched one by one, not what lies below
/// them. wait() runs on one thread; wake() may be called from any.
class FolderWatcher {
public:
    /// Fails when the kernel gives no watch descriptor.
    static Result<std::unique_ptr<FolderWatcher>> create();
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    /// Watches the folder (a folder watched already is kept). Fails when it
    /// cannot be watched, as when it is missing or the user's watch limit
    /// is reached.
    Status watch(const std::filesystem::path& folder);

    /// Whether the folder is watched.
    bool watches(const std::filesystem::path& folder) const;

    /// Waits up to timeout for changes and answers what changed (a watched
    /// folder itself when it went away, and it is no longer watched; an
    /// empty folder path when the kernel lost changes); empty when the time
    /// ran out or wake() was called.
    std::vector<FolderChange> wait(std::chrono::milliseconds timeout);

    /// Ends the wait under way, or the next one, at once.
    void wake();

private:
    FolderWatcher(int inotifyFd, int wakeFd);

    int m_inotify;
    int m_wake;
    std::map<int, std::filesystem::path> m_folders;
    /// The descriptor of each folder, so a library of thousands of folders
    /// is not searched from end to end for each of them.
    std::unordered_map<std::string, int> m_descriptors;
};

} // namespace kelvo
