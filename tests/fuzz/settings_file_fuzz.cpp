// Any bytes as mouse.ini: reading never crashes, and a value written is
// read back as written (without line breaks) while the other sections stay.
#include "services/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kelvo::IniDocument document(text);
    (void)document.value("Welcome", "Uses");
    const auto before = document.value("Cpn", "Cp1");
    document.set("Ohio", "First", "10");
    kelvo::IniDocument reread(document.text());
    if (reread.value("Ohio", "First") != std::optional<std::string>("10")) {
        std::abort();
    }
    if (reread.value("Cpn", "Cp1") != before) {
        std::abort();
    }
    return 0;
}
