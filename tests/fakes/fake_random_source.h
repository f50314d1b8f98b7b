#pragma once

#include "platform/random_source.h"

#include <deque>

namespace kelvo::fakes {

/// Hands out the numbers the test queued (then 0.5), counting the draws.
class FakeRandomSource : public RandomSource {
public:
    double nextUnit() override {
        ++draws;
        if (queued.empty()) {
            return 0.5;
        }
        const double next = queued.front();
        queued.pop_front();
        return next;
    }

    std::deque<double> queued;
    int draws = 0;
};

} // namespace kelvo::fakes
