#include "integrations/bookmarks/favorites_reader.h"

#include "platform/ascii_text.h"
#include "services/ini_document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace kelvo::bookmarks {

namespace fs = std::filesystem;

namespace {

// A shortcut is a few lines; anything this large is not one.
constexpr std::uintmax_t kLargestShortcut = 1u << 20;

using FolderId = std::pair<dev_t, ino_t>;

bool isShortcutName(const std::string& name) {
    return name.size() > 4 &&
           equalsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".url");
}

class FavoritesWalk {
public:
    FavoritesWalk(const SearchFilter& filter, SourceRead& read, const WalkLimits& limits)
        : m_filter(filter), m_read(read), m_limits(limits) {}

    void walk(const fs::path& folder, int depth) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            m_read.problems.push_back("no folder " + folder.string());
            return;
        }
        if (!m_seen.insert({info.st_dev, info.st_ino}).second) {
            return; // reached again through a link
        }
        if (depth > m_limits.maxDepth) {
            m_read.problems.push_back("too deep, not read: " + folder.string());
            return;
        }
        std::error_code error;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (++m_entries > m_limits.maxEntries) {
                if (!m_stopped) {
                    m_read.problems.push_back("too many entries, stopped at " + folder.string());
                }
                m_stopped = true;
                return;
            }
            entries.push_back(*it);
        }
        if (error) {
            m_read.problems.push_back("cannot read " + folder.string() + ": " + error.message());
        }
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return a.path().filename() < b.path().filename();
        });
        for (const fs::directory_entry& entry : entries) {
            if (m_stopped) {
                return;
            }
            std::error_code typeError;
            if (entry.is_directory(typeError)) {
                walk(entry.path(), depth + 1);
            } else if (entry.is_regular_file(typeError) &&
                       isShortcutName(entry.path().filename().string())) {
                takeShortcut(entry);
            }
        }
    }

private:
    void takeShortcut(const fs::directory_entry& entry) {
        std::optional<std::string> text = readShortcut(entry.path());
        if (!text) {
            return;
        }
        std::string title = entry.path().stem().string();
        std::string address = urlShortcutAddress(*text);
        if (m_filter.matches(title, address)) {
            m_read.rows.push_back({std::move(title), std::move(address)});
        }
    }

    // One open and read, at most kLargestShortcut bytes.
    std::optional<std::string> readShortcut(const fs::path& file) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            m_read.problems.push_back("cannot open " + file.string() + ": " + std::strerror(errno));
            return std::nullopt;
        }
        std::string text;
        char buffer[4096];
        ssize_t got = 0;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0 && text.size() <= kLargestShortcut) {
            text.append(buffer, static_cast<size_t>(got));
        }
        const int error = errno;
        ::close(fd);
        if (got < 0) {
            m_read.problems.push_back("cannot read " + file.string() + ": " + std::strerror(error));
            return std::nullopt;
        }
        if (text.size() > kLargestShortcut) {
            m_read.problems.push_back("not a shortcut: " + file.string());
            return std::nullopt;
        }
        return text;
    }

    const SearchFilter& m_filter;
    SourceRead& m_read;
    const WalkLimits& m_limits;
    std::set<FolderId> m_seen;
    size_t m_entries = 0;
    bool m_stopped = false;
};

} // namespace

std::string urlShortcutAddress(std::string_view fileText) {
    if (fileText.starts_with("\xEF\xBB\xBF")) {
        fileText.remove_prefix(3);
    }
    return IniDocument(fileText).value("InternetShortcut", "URL").value_or("abc");
}

void listIEFavorites(const fs::path& folder, const SearchFilter& filter, SourceRead& read,
                     const WalkLimits& limits) {
    FavoritesWalk(filter, read, limits).walk(folder, 0);
}

} // namespace kelvo::bookmarks
