#include "platform/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo {

Result<RegularFile> RegularFile::open(const std::filesystem::path& file) {
    // Non-blocking: opening a FIFO would otherwise wait for a writer.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return Status::failure(errno == ENOENT ? 53 : 75,
                               "cannot open " + file.string() + ": " + std::strerror(errno));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Status::failure(75, "cannot read " + file.string() + ": not a regular file");
    }
    return RegularFile(fd, static_cast<std::uint64_t>(status.st_size));
}

RegularFile::~RegularFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

RegularFile::RegularFile(RegularFile&& other) noexcept : m_fd(other.m_fd), m_size(other.m_size) {
    other.m_fd = -1;
}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = other.m_fd;
        m_size = other.m_size;
        other.m_fd = -1;
    }
    return *this;
}

Result<std::size_t> RegularFile::readAt(std::uint64_t offset, char* buffer,
                                        std::size_t length) const {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got =
            ::pread(m_fd, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Status::failure(57, std::string("cannot read: ") + std::strerror(errno));
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

Result<std::string> readRegularFile(const std::filesystem::path& file, std::size_t largest) {
    auto opened = RegularFile::open(file);
    if (!opened) {
        return opened.error();
    }
    const auto tooLarge = [&file, largest] {
        return Status::failure(75, "cannot read " + file.string() + ": larger than " +
                                       std::to_string(largest) + " bytes");
    };
    if (opened->size() > largest) {
        return tooLarge();
    }
    // One byte past the limit tells a file that grew since it was opened.
    std::string content(static_cast<std::size_t>(opened->size()) + 1, '\0');
    std::size_t have = 0;
    for (;;) {
        if (have == content.size()) {
            if (content.size() > largest) {
                return tooLarge();
            }
            content.resize(std::min(largest + 1, content.size() * 2));
        }
        auto got = opened->readAt(have, content.data() + have, content.size() - have);
        if (!got) {
            return Status::failure(got.error().number(),
                                   got.error().message() + " (" + file.string() + ")");
        }
        if (*got == 0) {
            break;
        }
        have += *got;
    }
    content.resize(have);
    return content;
}

} // namespace kelvo
