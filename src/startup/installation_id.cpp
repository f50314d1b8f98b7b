#include "startup/installation_id.h"

namespace kelvo {

std::string makeInstallationId(RandomSource& random, const LocalDateTime& today) {
    double draw = random.nextUnit();
    // A faulty source must not give a number outside the range.
    if (!(draw >= 0.0) || draw >= 1.0) {
        draw = 0.0;
    }
    const long number = static_cast<long>(draw * 100000.0);
    std::string id = "a";
    id += std::to_string(number);
    id += std::to_string(today.month);
    id += std::to_string(today.day);
    id += std::to_string(today.year % 100);
    id += "0a";
    return id;
}

} // namespace kelvo
