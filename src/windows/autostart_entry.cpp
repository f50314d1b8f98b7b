#include "windows/autostart_entry.h"

#include "platform/atomic_file.h"
#include "windows/chat_program_detection.h"

namespace kelvo {

namespace fs = std::filesystem;

fs::path autostartEntryPath(const fs::path& autostartFolder) {
    return autostartFolder / kAutostartFileName;
}

bool autostartEntryExists(const fs::path& autostartFolder) {
    std::error_code ec;
    return fs::is_regular_file(autostartEntryPath(autostartFolder), ec);
}

std::string autostartEntryText(const fs::path& programPath) {
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Kelvo\n"
                       "Comment=Voice commands for your desktop\n";
    std::string exec;
    // A literal percent sign is written doubled in Exec.
    for (char c : quoteExecArgument(programPath.string())) {
        exec += c;
        if (c == '%') {
            exec += '%';
        }
    }
    text += "Exec=" + exec + "\n";
    text += "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n";
    return text;
}

Status installAutostartEntry(const fs::path& autostartFolder, const fs::path& programPath) {
    if (programPath.empty()) {
        return Status::failure(53, "The program's own path is unknown.");
    }
    return writeFileAtomically(autostartEntryPath(autostartFolder),
                               autostartEntryText(programPath));
}

Status removeAutostartEntry(const fs::path& autostartFolder) {
    std::error_code ec;
    fs::remove(autostartEntryPath(autostartFolder), ec);
    if (ec) {
        return Status::failure(70, "Could not remove the autostart entry: " + ec.message());
    }
    return {};
}

} // namespace kelvo
