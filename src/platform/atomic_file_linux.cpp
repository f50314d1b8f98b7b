#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

} // namespace

Status writeFileAtomically(const std::filesystem::path& target, std::string_view content) {
    std::error_code ec;
    const auto parent = target.parent_path();
    if (!parent.empty()) {
        std::filesystem::create_directories(parent, ec);
        if (ec) {
            return Status::failure(76, "cannot create " + parent.string() + ": " + ec.message());
        }
    }
    mode_t mode = 0600;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    }
    std::string tempName = target.string() + ".XXXXXX";
    // Close-on-exec, so a program started meanwhile never holds it open.
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0) {
        return osError("cannot create a temporary file for", target);
    }
    const bool written = writeAll(fd, content) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (::close(fd) != 0 || !written) {
        errno = written ? errno : savedErrno;
        Status failure = osError("cannot write", target);
        ::unlink(tempName.c_str());
        return failure;
    }
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        Status failure = osError("cannot replace", target);
        ::unlink(tempName.c_str());
        return failure;
    }
    return {};
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
