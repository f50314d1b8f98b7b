// Any bytes as the user's mimeapps.list and as the desktop database: the
// default application found is an installed, visible application of the
// applications folder, never a crash.
#include "fuzz_files.h"
#include "platform/default_applications.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

/// A home with three entries installed, only one of them an application
/// that may be started.
struct Home {
    kelvo::fuzz::TempPath root{"default-applications"};
    fs::path config = root.path() / "config";
    fs::path applications = root.path() / "data" / "applications";
    kelvo::Environment env;

    Home() {
        fs::create_directories(config);
        fs::create_directories(applications);
        std::ofstream(applications / "player.desktop")
            << "[Desktop Entry]\nType=Application\nName=Player\nExec=player %U\n";
        std::ofstream(applications / "hidden.desktop")
            << "[Desktop Entry]\nType=Application\nName=Hidden\nExec=hidden\nHidden=true\n";
        std::ofstream(applications / "link.desktop")
            << "[Desktop Entry]\nType=Link\nName=Link\nURL=http://example.test/\n";
        env = [this](std::string_view name) -> std::optional<std::string> {
            if (name == "HOME") {
                return root.path().string();
            }
            if (name == "XDG_CONFIG_HOME") {
                return config.string();
            }
            if (name == "XDG_DATA_HOME") {
                return applications.parent_path().string();
            }
            if (name == "XDG_CONFIG_DIRS" || name == "XDG_DATA_DIRS") {
                return (root.path() / "none").string();
            }
            return std::nullopt;
        };
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Home home;
    kelvo::fuzz::rewriteFile(home.config / "mimeapps.list", data, size);
    kelvo::fuzz::rewriteFile(home.applications / "mimeinfo.cache", data, size);
    for (const char* type : {"audio/mpeg", "x-scheme-handler/http"}) {
        const auto entry = kelvo::defaultApplicationFor(home.env, type);
        if (entry && (entry->file != home.applications / "player.desktop" ||
                      entry->type != "Application" || entry->hidden)) {
            std::abort();
        }
    }
    return 0;
}
