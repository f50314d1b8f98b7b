#include "platform/instance_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

constexpr int kPathFileAccess = 75;

Status osFailure(const std::string& what) {
    return Status::failure(kPathFileAccess, what + ": " + std::strerror(errno));
}

// The fallback folder is shared with every user of /tmp: it must be a
// real folder of ours that nobody else can write to.
Result<fs::path> privateTmpFolder() {
    const fs::path folder = "/tmp/kelvo-" + std::to_string(::getuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return osFailure("cannot make " + folder.string());
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) {
        return osFailure("cannot look at " + folder.string());
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid() || (info.st_mode & 0077) != 0) {
        return Status::failure(kPathFileAccess,
                               folder.string() + " is not a private folder of this user");
    }
    return folder;
}

} // namespace

Result<std::unique_ptr<FileInstanceLock>> FileInstanceLock::create(const Environment& env) {
    if (auto runtime = nonEmpty(env, "XDG_RUNTIME_DIR");
        runtime && fs::path(*runtime).is_absolute()) {
        std::error_code ec;
        if (fs::is_directory(*runtime, ec)) {
            return createAt(fs::path(*runtime) / "kelvo.lock");
        }
    }
    auto folder = privateTmpFolder();
    if (!folder) {
        return folder.error();
    }
    return createAt(*folder / "kelvo.lock");
}

Result<std::unique_ptr<FileInstanceLock>> FileInstanceLock::createAt(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return osFailure("cannot open the lock file " + file.string());
    }
    return std::unique_ptr<FileInstanceLock>(new FileInstanceLock(fd, file));
}

FileInstanceLock::FileInstanceLock(int fd, fs::path path) : m_fd(fd), m_path(std::move(path)) {}

FileInstanceLock::~FileInstanceLock() {
    // Closing the descriptor frees the lock.
    ::close(m_fd);
}

Result<bool> FileInstanceLock::tryAcquire() {
    if (m_held) {
        return true;
    }
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            return false;
        }
        if (errno != EINTR) {
            return osFailure("cannot lock " + m_path.string());
        }
    }
    m_held = true;
    return true;
}

} // namespace kelvo
