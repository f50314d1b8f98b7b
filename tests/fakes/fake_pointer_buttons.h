#pragma once

#include "platform/pointer_buttons.h"

#include <vector>

namespace kelvo::fakes {

/// Pointer buttons held in memory; records every change asked for.
class FakePointerButtons : public PointerButtons {
public:
    int swapButtonMetric() override { return metric; }
    Status setButtonsSwapped(bool swapped) override {
        requests.push_back(swapped);
        if (refuse) {
            return Status::failure(5, "refused");
        }
        metric = swapped ? 1 : 0;
        return {};
    }

    int metric = 0;
    bool refuse = false;
    std::vector<bool> requests;
};

} // namespace kelvo::fakes
