#include "services/command_counter.h"

#include <limits>

namespace kelvo {

bool countCommand(int16_t& commandCounter) {
    if (commandCounter == std::numeric_limits<int16_t>::max()) {
        return false;
    }
    ++commandCounter;
    return true;
}

} // namespace kelvo
