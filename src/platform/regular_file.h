#pragma once

#include "platform/status.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace kelvo {

/// A regular file open for reading only. Links are followed; a FIFO, a
/// device or a folder is refused without waiting on it, so what the user
/// keeps among media files can never hold a reader.
class RegularFile {
public:
    /// Fails (75, 53 when missing) when the file cannot be opened or is no
    /// regular file.
    static Result<RegularFile> open(const std::filesystem::path& file);
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    /// The size it had when it was opened.
    std::uint64_t size() const { return m_size; }

    /// Reads up to length bytes from offset into buffer; fewer at the end
    /// of the file. Fails (57) on a read error.
    Result<std::size_t> readAt(std::uint64_t offset, char* buffer, std::size_t length) const;

private:
    RegularFile(int fd, std::uint64_t size) : m_fd(fd), m_size(size) {}

    int m_fd = -1;
    std::uint64_t m_size = 0;
};

/// Reads a whole regular file of at most `largest` bytes. Fails as
/// RegularFile::open does, and (75) when the file is larger.
Result<std::string> readRegularFile(const std::filesystem::path& file, std::size_t largest);

} // namespace kelvo
