// Any bytes as the server's start-up reply: a reply whose fields passed
// their checks or an error, never a crash; only web addresses get through
// where the program opens or calls one, and what is stored survives the
// settings read that takes it back.
#include "services/hex_coding.h"
#include "services/text_crypto.h"
#include "startup/startup_reply.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto reply = kelvo::parseStartupReply(text);
    if (!reply.ok()) {
        return 0;
    }
    const auto webOrEmpty = [](const std::string& address) {
        return address.empty() || kelvo::isWebAddress(address);
    };
    if (!kelvo::isUsableReply(text) || !kelvo::isWebAddress(reply->newServerBase) ||
        !webOrEmpty(reply->upgradeLink) || !webOrEmpty(reply->bookmarkTemplate) ||
        reply->surveyState.size() != 4 ||
        reply->surveyState.find_first_not_of("01") != std::string::npos) {
        std::abort();
    }
    // `Etowah` `s` is read back with 300 characters and `delaware` with 150.
    if (kelvo::encryptedTextLength(reply->newServerBase.size()) > 299 ||
        kelvo::stringToHex(reply->bookmarkTemplate).size() > 149) {
        std::abort();
    }
    return 0;
}
