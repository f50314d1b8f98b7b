#include "services/hex_coding.h"

#include "platform/ascii_text.h"
#include "services/windows_1252.h"

namespace kelvo {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// Shows a bad digit readably even when it is a control or a UTF-8 byte.
std::string describeDigit(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
        return std::string("\"") + c + "\"";
    }
    return std::string("byte 0x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
}

} // namespace

std::string stringToHex(std::string_view text) {
    const std::string bytes = utf8ToWindows1252(text);
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

Result<std::string> decodeHex(std::string_view hex) {
    std::string bytes;
    bytes.reserve(hex.size() / 2 + 1);
    for (size_t pos = 0; pos < hex.size(); pos += 2) {
        int value = 0;
        for (size_t i = pos; i < pos + 2 && i < hex.size(); ++i) {
            const int digit = hexDigitValue(hex[i]);
            if (digit < 0) {
                return Status::failure(error_number::kTypeMismatch,
                                       "Not a hex digit: " + describeDigit(hex[i]) +
                                           " at position " + std::to_string(i + 1));
            }
            value = value * 16 + digit;
        }
        bytes += static_cast<char>(value);
    }
    return windows1252ToUtf8(bytes);
}

std::string hexToString(std::string_view hex, ErrorSink& errors) {
    auto text = decodeHex(hex);
    if (!text) {
        errors.reportError(text.error().number(), text.error().message(), "MutPdx");
        return {};
    }
    return std::move(text).value();
}

} // namespace kelvo
