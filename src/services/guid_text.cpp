#include "services/guid_text.h"

#include <cerrno>
#include <random>
#include <sys/random.h>

namespace kelvo {

namespace {

void fillRandom(std::array<uint8_t, 16>& bytes) {
    size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t n = ::getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (n > 0) {
            filled += static_cast<size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            // Kernels without getrandom: the library's own device source.
            std::random_device device;
            for (; filled < bytes.size(); ++filled) {
                bytes[filled] = static_cast<uint8_t>(device());
            }
        }
    }
}

} // namespace

std::string guidText(std::array<uint8_t, 16> bytes) {
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4: random
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80); // the standard variant
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "{";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text += '-';
        }
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    text += '}';
    return text;
}

std::string newGuidString() {
    std::array<uint8_t, 16> bytes{};
    fillRandom(bytes);
    return guidText(bytes);
}

} // namespace kelvo
