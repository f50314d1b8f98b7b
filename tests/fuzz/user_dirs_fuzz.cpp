// Any bytes as user-dirs.dirs: a folder it names is absolute, never a
// crash.
#include "platform/special_folders.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path home = "/home/u";
    for (const auto& folder : {kelvo::documentsDirFromUserDirs(text, home),
                               kelvo::userDirFromUserDirs(text, "XDG_MUSIC_DIR", home)}) {
        if (folder && !folder->is_absolute()) {
            std::abort();
        }
    }
    return 0;
}
