// Any bytes as commands_customfree.xml: parsing gives commands or an error,
// never a crash.
#include "speech/custom_command_store.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto parsed = kelvo::parseCustomCommandStore(text);
    if (parsed.ok()) {
        std::size_t total = 0;
        for (const auto& command : *parsed) {
            total += command.phrase.size() + command.display.size() + command.target.size();
        }
        (void)total;
    }
    return 0;
}
