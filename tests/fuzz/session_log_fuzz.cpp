// Any bytes as sl.txt: the records read and their summary never crash,
// whatever the decryption makes of them.
#include "startup/session_log_summary.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto records = kelvo::readSessionLogRecords(text);
    // Each record decrypts to itself, so the summary parses the fuzzer's text.
    int skipped = 0;
    (void)kelvo::summarizeSessionRecords(
        records,
        [](std::string_view record) -> kelvo::Result<std::string> { return std::string(record); },
        skipped);
    if (skipped < 0 || static_cast<std::size_t>(skipped) > records.size()) {
        std::abort();
    }
    return 0;
}
