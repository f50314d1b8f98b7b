#pragma once

#include "platform/environment.h"
#include "platform/status.h"

#include <filesystem>
#include <memory>

namespace kelvo {

/// Tells whether another instance of the program runs for this user.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;

    /// Takes the lock for the life of this object. Returns true when this
    /// is the only instance, false when another one holds the lock, an
    /// error when the lock itself can't be made.
    virtual Result<bool> tryAcquire() = 0;
};

/// A lock on a file held with flock, so it is freed whenever the program
/// ends, however it ends. Programs the program starts don't inherit it.
class FileInstanceLock final : public InstanceLock {
public:
    /// The lock file kelvo.lock in $XDG_RUNTIME_DIR, else in /tmp/kelvo-UID
    /// (made owner-only). Touches no other file.
    static Result<std::unique_ptr<FileInstanceLock>> create(const Environment& env);

    /// The lock on the given file (made when missing).
    static Result<std::unique_ptr<FileInstanceLock>> createAt(const std::filesystem::path& file);

    ~FileInstanceLock() override;
    FileInstanceLock(const FileInstanceLock&) = delete;
    FileInstanceLock& operator=(const FileInstanceLock&) = delete;

    Result<bool> tryAcquire() override;

    const std::filesystem::path& path() const { return m_path; }

private:
    FileInstanceLock(int fd, std::filesystem::path path);

    int m_fd;
    std::filesystem::path m_path;
    bool m_held = false;
};

} // namespace kelvo
