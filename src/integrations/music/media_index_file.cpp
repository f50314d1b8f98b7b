#include "integrations/music/media_index_file.h"

#include "platform/atomic_file.h"

#include <array>
#include <charconv>
#include <optional>

namespace kelvo {

namespace {

constexpr std::string_view kHeader = "kelvo media index 1";
constexpr int kBadFormat = 321;
constexpr size_t kFields = 10;

void appendEscaped(std::string& out, std::string_view field) {
    for (char c : field) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out.push_back(c);
        }
    }
}

std::optional<std::string> unescaped(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out.push_back(field[i]);
            continue;
        }
        if (++i == field.size()) {
            return std::nullopt;
        }
        switch (field[i]) {
        case '\\':
            out.push_back('\\');
            break;
        case 't':
            out.push_back('\t');
            break;
        case 'n':
            out.push_back('\n');
            break;
        case 'r':
            out.push_back('\r');
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

template <typename T> std::optional<T> number(std::string_view field) {
    T value{};
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<MediaItem> parseLine(std::string_view line) {
    std::array<std::string_view, kFields> fields;
    size_t count = 0;
    size_t at = 0;
    for (;;) {
        const size_t tab = line.find('\t', at);
        if (count == kFields) {
            return std::nullopt;
        }
        fields[count++] = line.substr(at, tab == std::string_view::npos ? line.npos : tab - at);
        if (tab == std::string_view::npos) {
            break;
        }
        at = tab + 1;
    }
    if (count != kFields) {
        return std::nullopt;
    }
    const auto kind = number<int>(fields[0]);
    const auto modified = number<std::int64_t>(fields[1]);
    const auto size = number<std::uint64_t>(fields[2]);
    const auto disc = number<int>(fields[3]);
    const auto track = number<int>(fields[4]);
    if (!kind || *kind < 0 || *kind > static_cast<int>(MediaKind::Radio) || !modified || !size ||
        !disc || !track) {
        return std::nullopt;
    }
    std::array<std::optional<std::string>, 5> texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i] = unescaped(fields[5 + i]);
        if (!texts[i]) {
            return std::nullopt;
        }
    }
    if (texts[0]->empty()) {
        return std::nullopt;
    }
    return MediaItem{std::move(*texts[0]),
                     static_cast<MediaKind>(*kind),
                     std::move(*texts[1]),
                     std::move(*texts[2]),
                     std::move(*texts[3]),
                     std::move(*texts[4]),
                     *disc,
                     *track,
                     *modified,
                     *size};
}

} // namespace

std::string mediaIndexText(const std::vector<MediaItem>& items) {
    std::string text(kHeader);
    text.push_back('\n');
    for (const MediaItem& item : items) {
        text += std::to_string(static_cast<int>(item.kind)) + '\t' + std::to_string(item.modified) +
                '\t' + std::to_string(item.size) + '\t' + std::to_string(item.disc) + '\t' +
                std::to_string(item.track);
        for (const std::string* field :
             {&item.location, &item.title, &item.artist, &item.album, &item.composer}) {
            text.push_back('\t');
            appendEscaped(text, *field);
        }
        text.push_back('\n');
    }
    return text;
}

Result<std::vector<MediaItem>> parseMediaIndex(std::string_view text) {
    size_t end = text.find('\n');
    if (end == std::string_view::npos || text.substr(0, end) != kHeader) {
        return Status::failure(kBadFormat, "the media index is of another format");
    }
    std::vector<MediaItem> items;
    size_t at = end + 1;
    while (at < text.size()) {
        end = text.find('\n', at);
        if (end == std::string_view::npos) {
            // A line cut short by a crash is not trusted.
            break;
        }
        if (auto item = parseLine(text.substr(at, end - at))) {
            items.push_back(std::move(*item));
        }
        at = end + 1;
    }
    return items;
}

Status saveMediaIndex(const std::filesystem::path& file, const std::vector<MediaItem>& items) {
    return writeFileAtomically(file, mediaIndexText(items));
}

Result<std::vector<MediaItem>> loadMediaIndex(const std::filesystem::path& file) {
    auto text = readWholeFile(file);
    if (!text) {
        return text.error();
    }
    return parseMediaIndex(*text);
}

} // namespace kelvo
