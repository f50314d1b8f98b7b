// Any bytes as a desktop entry, and as its Exec line alone: an entry and
// its arguments or an error, never a crash; arguments always name a program.
#include "fuzz_files.h"
#include "platform/desktop_entry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkArguments(const kelvo::DesktopEntry& entry) {
    auto arguments = kelvo::execArguments(entry);
    if (arguments.ok() && (arguments->empty() || arguments->front().empty())) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kelvo::fuzz::TempPath file("player.desktop");
    kelvo::fuzz::rewriteFile(file.path(), data, size);
    if (const auto entry = kelvo::readDesktopEntry(file.path())) {
        checkArguments(*entry);
    }
    kelvo::DesktopEntry line;
    line.file = "/usr/share/applications/player.desktop";
    line.name = "Player";
    line.icon = "player";
    line.exec.assign(reinterpret_cast<const char*>(data), size);
    checkArguments(line);
    return 0;
}
