#include "integrations/music/m3u_playlist.h"

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"
#include "platform/regular_file.h"

namespace kelvo {

namespace {

bool isAddress(std::string_view line) {
    const size_t colon = line.find("://");
    return colon != std::string_view::npos && colon > 0 && line.find('/') == colon + 1;
}

} // namespace

std::vector<PlaylistEntry> parseM3u(std::string_view text, const std::filesystem::path& folder) {
    std::vector<PlaylistEntry> entries;
    std::string title;
    size_t at = 0;
    if (text.starts_with("\xEF\xBB\xBF")) {
        at = 3;
    }
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        if (line.empty()) {
            continue;
        }
        if (line.front() == '#') {
            if (line.starts_with("#EXTINF:")) {
                const size_t comma = line.find(',');
                title = comma == std::string_view::npos ? std::string()
                                                        : std::string(line.substr(comma + 1));
            }
            continue;
        }
        std::string location(line);
        if (!isAddress(line) && !std::filesystem::path(location).is_absolute()) {
            location = (folder / location).lexically_normal().string();
        }
        entries.push_back({std::move(location), std::move(title)});
        title.clear();
    }
    return entries;
}

std::string m3uEntryLines(const PlaylistEntry& entry) {
    // Such a path would be read back as two entries, neither of them it.
    if (entry.location.find_first_of("\r\n") != std::string::npos) {
        return {};
    }
    std::string lines;
    if (!entry.title.empty()) {
        // A title can't carry a line break into the file.
        std::string title = entry.title;
        for (char& c : title) {
            if (c == '\n' || c == '\r') {
                c = ' ';
            }
        }
        lines += "#EXTINF:-1," + title + "\n";
    }
    lines += entry.location + "\n";
    return lines;
}

std::string m3uText(const std::vector<PlaylistEntry>& entries) {
    std::string text = "#EXTM3U\n";
    for (const PlaylistEntry& entry : entries) {
        text += m3uEntryLines(entry);
    }
    return text;
}

Status appendM3uEntry(const std::filesystem::path& file, const PlaylistEntry& entry) {
    return appendM3uEntries(file, {entry});
}

Status appendM3uEntries(const std::filesystem::path& file,
                        const std::vector<PlaylistEntry>& entries) {
    auto text = readM3uFile(file);
    if (!text) {
        return text.error();
    }
    std::string lines = std::move(text).value();
    if (!lines.empty() && lines.back() != '\n') {
        lines += '\n';
    }
    for (const PlaylistEntry& entry : entries) {
        lines += m3uEntryLines(entry);
    }
    // Written whole and renamed over it: a full disk leaves the user's
    // playlist as it was, never with half an entry.
    return writeFileAtomically(file, lines);
}

Result<std::string> readM3uFile(const std::filesystem::path& file) {
    // Far more than the longest list a user keeps, far less than a device
    // would give.
    constexpr size_t kLargest = size_t{64} << 20;
    return readRegularFile(file, kLargest);
}

bool isM3uFile(const std::filesystem::path& file) {
    const std::string extension = asciiLowered(file.extension().string());
    return extension == ".m3u" || extension == ".m3u8";
}

std::string mediaUri(const std::string& location) {
    if (isAddress(location)) {
        return location;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (char c : location) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            uri.push_back(c);
        } else {
            uri.push_back('%');
            uri.push_back(kHex[byte >> 4]);
            uri.push_back(kHex[byte & 0xF]);
        }
    }
    return uri;
}

} // namespace kelvo
