#include "platform/desktop_entry.h"

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"

namespace kelvo {

namespace {

std::string unescapeValue(std::string_view value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            out += value[i];
            break;
        }
    }
    return out;
}

Status badExec(const DesktopEntry& entry, const std::string& why) {
    return Status::failure(1, entry.file.string() + ": " + why);
}

/// The Exec line split into words, quotes and their backslashes undone;
/// each word notes whether it was quoted (codes inside quotes are text).
struct ExecWord {
    std::string text;
    bool quoted = false;
};

Result<std::vector<ExecWord>> splitExec(const DesktopEntry& entry) {
    std::vector<ExecWord> words;
    const std::string& line = entry.exec;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        ExecWord word;
        if (line[i] == '"') {
            word.quoted = true;
            for (++i;; ++i) {
                if (i >= line.size()) {
                    return badExec(entry, "its Exec line has an unclosed quote");
                }
                if (line[i] == '"') {
                    ++i;
                    break;
                }
                if (line[i] == '\\' && i + 1 < line.size()) {
                    ++i;
                }
                word.text += line[i];
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
                word.text += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace

KeyFileGroup keyFileGroup(std::string_view text, std::string_view group) {
    KeyFileGroup keys;
    bool inGroup = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trimmedBlanks(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            // A group may appear only once; its first appearance counts.
            if (inGroup) {
                break;
            }
            inGroup = line == "[" + std::string(group) + "]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trimmedBlanks(line.substr(0, equals));
        if (key.find('[') == std::string_view::npos) {
            keys.emplace(std::string(key), std::string(trimmedBlanks(line.substr(equals + 1))));
        }
    }
    return keys;
}

std::optional<DesktopEntry> readDesktopEntry(const std::filesystem::path& file) {
    auto text = readWholeFile(file);
    if (!text) {
        return std::nullopt;
    }
    const KeyFileGroup keys = keyFileGroup(*text, "Desktop Entry");
    if (keys.empty()) {
        return std::nullopt;
    }
    const auto value = [&keys](std::string_view key) {
        const auto found = keys.find(key);
        return found == keys.end() ? std::string() : unescapeValue(found->second);
    };
    return DesktopEntry{file,
                        value("Type"),
                        value("Name"),
                        value("Icon"),
                        value("Exec"),
                        value("TryExec"),
                        value("Hidden") == "true",
                        value("StartupWMClass")};
}

Result<std::vector<std::string>> execArguments(const DesktopEntry& entry) {
    auto words = splitExec(entry);
    if (!words) {
        return words.error();
    }
    std::vector<std::string> arguments;
    for (const ExecWord& word : *words) {
        if (word.quoted) {
            arguments.push_back(word.text);
            continue;
        }
        // %i stands for two words, and only when the entry has an icon.
        if (word.text == "%i") {
            if (!entry.icon.empty()) {
                arguments.insert(arguments.end(), {"--icon", entry.icon});
            }
            continue;
        }
        std::string expanded;
        bool dropped = false;
        for (size_t i = 0; i < word.text.size(); ++i) {
            if (word.text[i] != '%') {
                expanded += word.text[i];
                continue;
            }
            if (i + 1 == word.text.size()) {
                return badExec(entry, "its Exec line ends in a lone %");
            }
            switch (const char code = word.text[++i]) {
            case '%':
                expanded += '%';
                break;
            case 'c':
                expanded += entry.name;
                break;
            case 'k':
                expanded += entry.file.string();
                break;
            case 'f':
            case 'F':
            case 'u':
            case 'U':
            case 'd':
            case 'D':
            case 'n':
            case 'N':
            case 'v':
            case 'm':
                // Started without files: the word stands for nothing.
                dropped = true;
                break;
            default:
                return badExec(entry, std::string("its Exec line has the unknown code %") + code);
            }
        }
        if (!(dropped && expanded.empty())) {
            arguments.push_back(std::move(expanded));
        }
    }
    if (arguments.empty() || arguments.front().empty()) {
        return badExec(entry, "its Exec line names no program");
    }
    return arguments;
}

} // namespace kelvo
