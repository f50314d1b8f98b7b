#pragma once

// Files for the fuzz targets whose reader takes a path: one per process,
// rewritten in place at each run and removed at exit.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kelvo::fuzz {

/// Replaces a file's bytes. Written over and cut to size rather than
/// truncated first: ext4 flushes a file truncated to nothing when it is
/// closed, which slows a run a thousandfold.
inline void rewriteFile(const std::filesystem::path& file, const std::uint8_t* data,
                        std::size_t size) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::abort();
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t wrote = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (wrote <= 0) {
            std::abort();
        }
        done += static_cast<std::size_t>(wrote);
    }
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        std::abort();
    }
    ::close(fd);
}

/// A path of this process under the temporary folder; whatever is there is
/// removed at exit.
class TempPath {
public:
    explicit TempPath(const std::string& name)
        : m_path(std::filesystem::temp_directory_path() /
                 ("kelvo-" + std::to_string(::getpid()) + "-" + name)) {}
    ~TempPath() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempPath(const TempPath&) = delete;
    TempPath& operator=(const TempPath&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace kelvo::fuzz
