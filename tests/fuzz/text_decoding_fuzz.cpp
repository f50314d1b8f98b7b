// Any bytes as stored encrypted text or as text of the settings' code page:
// decrypting gives text or an error, never a crash; code-page text survives
// the way through UTF-8 and back.
#include "services/text_crypto.h"
#include "services/windows_1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)kelvo::tryDecryptText(text, "a passphrase");
    const std::string utf8 = kelvo::windows1252ToUtf8(text);
    (void)kelvo::utf8ToWindows1252(text);
    if (kelvo::utf8ToWindows1252(utf8) != text) {
        std::abort();
    }
    return 0;
}
