#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo {

namespace {

Status osError(const std::string& what, const std::filesystem::path& path) {
    return Status::failure(75, what + " " + path.string() + ": " + std::strerror(errno));
}

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

/// Writes the content into the file just created at `file`, gives it the
/// mode if one is given, flushes it to disk and closes it; on failure the
/// file is removed.
Status fill(int fd, std::string_view content, std::optional<mode_t> mode,
            const std::filesystem::path& file, const std::filesystem::path& target) {
    const bool written =
        writeAll(fd, content) && (!mode || ::fchmod(fd, *mode) == 0) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (::close(fd) != 0 || !written) {
        errno = written ? errno : savedErrno;
        Status failure = osError("cannot write", target);
        ::unlink(file.c_str());
        return failure;
    }
    return {};
}

/// Creates the target's folder when it is missing.
Status makeFolderOf(const std::filesystem::path& target) {
    std::error_code ec;
    const auto parent = target.parent_path();
    if (!parent.empty()) {
        std::filesystem::create_directories(parent, ec);
        if (ec) {
            return Status::failure(76, "cannot create " + parent.string() + ": " + ec.message());
        }
    }
    return {};
}

/// Writes the content, flushed to disk, to a new file beside the target
/// whose name it returns in tempName.
Status writeBeside(const std::filesystem::path& target, std::string_view content, mode_t mode,
                   std::string& tempName) {
    tempName = target.string() + ".XXXXXX";
    // Close-on-exec, so a program started meanwhile never holds it open.
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0) {
        return osError("cannot create a temporary file for", target);
    }
    return fill(fd, content, mode, tempName, target);
}

/// Errors of a file system that does not offer the call at all.
bool unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

/// Where neither a rename that keeps a taken name nor a link is offered,
/// the name is taken by opening it exclusively and writing it there.
Status createInPlace(const std::filesystem::path& target, std::string_view content) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno == EEXIST
                   ? Status::failure(kFileAlreadyExists, target.string() + " already exists")
                   : osError("cannot create", target);
    }
    return fill(fd, content, std::nullopt, target, target);
}

} // namespace

Status writeFileAtomically(const std::filesystem::path& target, std::string_view content) {
    if (Status folder = makeFolderOf(target); !folder) {
        return folder;
    }
    mode_t mode = 0600;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    }
    std::string tempName;
    if (Status written = writeBeside(target, content, mode, tempName); !written) {
        return written;
    }
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        Status failure = osError("cannot replace", target);
        ::unlink(tempName.c_str());
        return failure;
    }
    return {};
}

Status createFileAtomically(const std::filesystem::path& target, std::string_view content) {
    if (Status folder = makeFolderOf(target); !folder) {
        return folder;
    }
    std::string tempName;
    if (Status written = writeBeside(target, content, 0600, tempName); !written) {
        return written;
    }
    // Either call fails on a taken name; the link leaves the temporary
    // file to remove.
    bool placed =
        ::renameat2(AT_FDCWD, tempName.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0;
    bool linked = false;
    if (!placed && unsupported(errno)) {
        placed = linked = ::link(tempName.c_str(), target.c_str()) == 0;
    }
    const int savedErrno = errno;
    if (!placed || linked) {
        ::unlink(tempName.c_str());
    }
    if (placed) {
        return {};
    }
    if (savedErrno == EEXIST) {
        return Status::failure(kFileAlreadyExists, target.string() + " already exists");
    }
    if (unsupported(savedErrno)) {
        return createInPlace(target, content);
    }
    errno = savedErrno;
    return osError("cannot create", target);
}

Result<std::string> readWholeFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Status::failure(errno == ENOENT ? 53 : 75,
                               "cannot open " + file.string() + ": " + std::strerror(errno));
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            Status failure = osError("cannot read", file);
            ::close(fd);
            return failure;
        }
        if (got == 0) {
            break;
        }
        content.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return content;
}

Status copyFileAtomically(const std::filesystem::path& source,
                          const std::filesystem::path& target) {
    auto content = readWholeFile(source);
    if (!content) {
        return content.error();
    }
    return writeFileAtomically(target, *content);
}

} // namespace kelvo
