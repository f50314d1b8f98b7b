// Any bytes as hex text: decoding gives text or an error, never a crash, and
// an even run of digits that decodes encodes back to the same digits.
#include "services/hex_coding.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view hex(reinterpret_cast<const char*>(data), size);
    auto decoded = kelvo::decodeHex(hex);
    if (decoded.ok() && hex.size() % 2 == 0) {
        std::string upper(hex);
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        std::string again = kelvo::stringToHex(*decoded);
        for (char& c : again) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        if (again != upper) {
            std::abort();
        }
    }
    return 0;
}
