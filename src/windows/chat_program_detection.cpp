#include "windows/chat_program_detection.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> splitOn(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find(separator, start);
        const size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > start) {
            parts.push_back(text.substr(start, stop - start));
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return parts;
}

bool isChatCategory(std::string_view category) {
    return category == "InstantMessaging" || category == "Chat" || category == "VideoConference";
}

/// Desktop files below a folder, sorted, each with its id (the relative
/// path with "/" turned into "-").
std::vector<std::pair<std::string, fs::path>> desktopFiles(const fs::path& folder) {
    std::vector<std::pair<std::string, fs::path>> files;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path& file = it->path();
        if (file.extension() != ".desktop" || !it->is_regular_file(ec)) {
            continue;
        }
        std::string id = file.lexically_relative(folder).generic_string();
        std::replace(id.begin(), id.end(), '/', '-');
        files.emplace_back(std::move(id), file);
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

std::vector<fs::path> applicationFolders(const char* dataHome, const char* dataDirs,
                                         const fs::path& home) {
    std::vector<fs::path> folders;
    const std::string_view homeValue = dataHome ? dataHome : "";
    // Relative paths are invalid in XDG variables and are ignored.
    if (!homeValue.empty() && homeValue.front() == '/') {
        folders.push_back(fs::path(homeValue) / "applications");
    } else {
        folders.push_back(home / ".local/share/applications");
    }
    std::string_view dirsValue = dataDirs ? dataDirs : "";
    if (dirsValue.empty()) {
        dirsValue = "/usr/local/share:/usr/share";
    }
    for (std::string_view dir : splitOn(dirsValue, ':')) {
        if (dir.front() == '/') {
            folders.push_back(fs::path(dir) / "applications");
        }
    }
    return folders;
}

std::string stripExecFieldCodes(std::string_view exec) {
    std::string out;
    for (size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] == '%' && i + 1 < exec.size()) {
            if (exec[i + 1] == '%') {
                out += '%';
            }
            ++i;
            continue;
        }
        out += exec[i];
    }
    // Removing a code can leave doubled or trailing blanks.
    std::string squeezed;
    for (char c : out) {
        if (c == ' ' && (squeezed.empty() || squeezed.back() == ' ')) {
            continue;
        }
        squeezed += c;
    }
    return std::string(trim(squeezed));
}

std::vector<std::string> splitExecCommand(std::string_view command) {
    std::vector<std::string> args;
    std::string current;
    bool inArg = false;
    bool quoted = false;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (quoted) {
            if (c == '\\' && i + 1 < command.size()) {
                current += command[++i];
            } else if (c == '"') {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == '"') {
            quoted = true;
            inArg = true;
        } else if (c == ' ' || c == '\t') {
            if (inArg) {
                args.push_back(std::move(current));
                current.clear();
                inArg = false;
            }
        } else {
            current += c;
            inArg = true;
        }
    }
    if (quoted) {
        return {};
    }
    if (inArg) {
        args.push_back(std::move(current));
    }
    return args;
}

std::vector<std::string> chatProgramArguments(const std::string& stored) {
    std::error_code ec;
    if (!stored.empty() && fs::is_regular_file(stored, ec)) {
        return {stored};
    }
    return splitExecCommand(stored);
}

std::string quoteExecArgument(std::string_view arg) {
    const bool plain =
        !arg.empty() && arg.find_first_of(" \t\n\"'\\><~|&;$*?#()`%=") == std::string_view::npos;
    if (plain) {
        return std::string(arg);
    }
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

ChatProgram parseChatDesktopEntry(std::string_view text) {
    std::string name;
    std::string exec;
    bool inEntry = false;
    bool application = false;
    bool chat = false;
    bool hidden = false;
    std::istringstream lines{std::string(text)};
    for (std::string raw; std::getline(lines, raw);) {
        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry) {
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        // Localised keys such as Name[de] are not the display name we keep.
        const std::string_view key = trim(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        if (key == "Name") {
            name = value;
        } else if (key == "Exec") {
            exec = value;
        } else if (key == "Type") {
            application = value == "Application";
        } else if (key == "Categories") {
            for (std::string_view category : splitOn(value, ';')) {
                chat = chat || isChatCategory(trim(category));
            }
        } else if ((key == "NoDisplay" || key == "Hidden") && value == "true") {
            hidden = true;
        }
    }
    std::string command = stripExecFieldCodes(exec);
    if (!application || !chat || hidden || name.empty() || command.empty()) {
        return {};
    }
    return {std::move(name), std::move(command)};
}

std::vector<ChatProgram> detectChatPrograms(const std::vector<fs::path>& folders, int maxCount) {
    std::vector<ChatProgram> programs;
    std::set<std::string> seenIds;
    for (const fs::path& folder : folders) {
        for (const auto& [id, file] : desktopFiles(folder)) {
            if (static_cast<int>(programs.size()) >= maxCount) {
                return programs;
            }
            // The first folder that has an id decides for it, chat or not.
            if (!seenIds.insert(id).second) {
                continue;
            }
            Result<std::string> text = readWholeFile(file);
            if (!text) {
                continue;
            }
            ChatProgram program = parseChatDesktopEntry(*text);
            if (!program.name.empty()) {
                programs.push_back(std::move(program));
            }
        }
    }
    return programs;
}

} // namespace kelvo
