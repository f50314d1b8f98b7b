#include "platform/random_source.h"

#include <cstdint>
#include <random>

namespace kelvo {

namespace {

class SystemRandomSource final : public RandomSource {
public:
    double nextUnit() override {
        // 53 random bits fill a double's mantissa exactly, so the result is
        // even over [0, 1) and never reaches 1.
        const std::uint64_t high = m_device();
        const std::uint64_t low = m_device();
        const std::uint64_t bits = ((high << 32) | low) >> 11;
        return static_cast<double>(bits) * 0x1.0p-53;
    }

private:
    std::random_device m_device;
};

} // namespace

std::unique_ptr<RandomSource> makeSystemRandomSource() {
    return std::make_unique<SystemRandomSource>();
}

} // namespace kelvo
