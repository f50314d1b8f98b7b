#include "services/os_text_file.h"

#include "platform/atomic_file.h"
#include "services/error_sink.h"

namespace kelvo {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Moves past one line end (CR LF, CR or LF).
void skipLineEnd(std::string_view text, size_t& pos) {
    if (pos < text.size() && text[pos] == '\r') {
        ++pos;
    }
    if (pos < text.size() && text[pos] == '\n') {
        ++pos;
    }
}

} // namespace

std::vector<std::string> freeFormatItems(std::string_view text) {
    std::vector<std::string> items;
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isBlank(text[pos])) {
            ++pos;
        }
        std::string item;
        if (pos < text.size() && text[pos] == '"') {
            const size_t close = text.find('"', pos + 1);
            const size_t end = close == std::string_view::npos ? text.size() : close;
            item = text.substr(pos + 1, end - pos - 1);
            pos = close == std::string_view::npos ? text.size() : close + 1;
            // Whatever stands between the closing quote and the separator
            // is dropped.
            while (pos < text.size() && text[pos] != ',' && !isLineEnd(text[pos])) {
                ++pos;
            }
        } else {
            const size_t start = pos;
            while (pos < text.size() && text[pos] != ',' && !isLineEnd(text[pos])) {
                ++pos;
            }
            size_t end = pos;
            while (end > start && isBlank(text[end - 1])) {
                --end;
            }
            item = text.substr(start, end - start);
        }
        items.push_back(std::move(item));
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
            // A comma at the very end still leaves an empty item after it.
            if (pos == text.size()) {
                items.emplace_back();
            }
        } else {
            skipLineEnd(text, pos);
        }
    }
    return items;
}

Result<std::string> readOsTextFile(std::string_view word, const std::filesystem::path& dataFolder) {
    std::string name;
    if (word == "xp") {
        name = "xp.txt";
    } else if (word == "vista") {
        name = "vista.txt";
    } else {
        return Status::failure(error_number::kFileNotFound,
                               "No text file for the word \"" + std::string(word) + "\"");
    }
    auto content = readWholeFile(dataFolder / name);
    if (!content) {
        return content.error();
    }
    std::string text;
    for (const auto& item : freeFormatItems(*content)) {
        text += "\r\n";
        text += item;
    }
    return text;
}

} // namespace kelvo
