#pragma once

#include <memory>

namespace kelvo {

/// Numbers that nobody can predict, for identifiers the program makes.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    /// A number drawn evenly from [0, 1).
    virtual double nextUnit() = 0;
};

/// Draws from the system's entropy source (std::random_device).
std::unique_ptr<RandomSource> makeSystemRandomSource();

} // namespace kelvo
