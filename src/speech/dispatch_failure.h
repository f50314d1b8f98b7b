#pragma once

#include "platform/status.h"

#include <stdexcept>
#include <string>

namespace kelvo {

/// A step of the recognition road that failed; caught at the top of the
/// road, reported, and the listening put right.
class DispatchFailure : public std::runtime_error {
public:
    DispatchFailure(int number, const std::string& message)
        : std::runtime_error(message), m_number(number) {}
    int number() const { return m_number; }

private:
    int m_number;
};

/// Throws the failure of a step that must not be skipped silently.
inline void require(const Status& status, const char* step) {
    if (!status.ok()) {
        throw DispatchFailure(status.number(), std::string(step) + ": " + status.message());
    }
}

} // namespace kelvo
