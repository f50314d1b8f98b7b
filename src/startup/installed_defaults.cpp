#include "startup/installed_defaults.h"

#include "platform/atomic_file.h"

#include <algorithm>

namespace kelvo {

namespace fs = std::filesystem;

Status installMissingDefaults(const fs::path& defaultsFolder, const fs::path& dataFolder,
                              std::vector<std::string>& names) {
    names.clear();
    std::error_code ec;
    if (!fs::is_directory(defaultsFolder, ec)) {
        return Status::failure(76,
                               "the installed defaults are missing: " + defaultsFolder.string());
    }
    fs::create_directories(dataFolder, ec);
    if (ec) {
        return Status::failure(76, "cannot make " + dataFolder.string() + ": " + ec.message());
    }
    std::vector<fs::path> sources;
    for (const fs::directory_entry& entry : fs::directory_iterator(defaultsFolder, ec)) {
        if (entry.is_regular_file(ec)) {
            sources.push_back(entry.path());
        }
    }
    if (ec) {
        return Status::failure(75, "cannot list " + defaultsFolder.string() + ": " + ec.message());
    }
    std::sort(sources.begin(), sources.end());
    for (const fs::path& source : sources) {
        const fs::path target = dataFolder / source.filename();
        // Anything already there (even a broken link) is the user's.
        if (fs::exists(fs::symlink_status(target, ec))) {
            continue;
        }
        if (Status copied = copyFileAtomically(source, target); !copied) {
            return copied;
        }
        names.push_back(source.filename().string());
    }
    return {};
}

} // namespace kelvo
