#pragma once

#include "platform/status.h"

#include <memory>

namespace kelvo {

/// The desktop's primary and secondary pointer buttons (mouse handedness).
class PointerButtons {
public:
    virtual ~PointerButtons() = default;

    /// 1 when the primary and secondary buttons are swapped (left-handed),
    /// 0 when they are not, -1 when the desktop cannot tell.
    virtual int swapButtonMetric() = 0;

    /// Swaps the two buttons (true) or puts them back (false). Fails when
    /// the desktop refuses, for example while a button is held down.
    virtual Status setButtonsSwapped(bool swapped) = 0;

    /// The X server's pointer buttons. Fails without an X display.
    static Result<std::unique_ptr<PointerButtons>> create();
};

/// Stands in where no display can be reached: nothing is known or changed.
class UnavailablePointerButtons final : public PointerButtons {
public:
    int swapButtonMetric() override { return -1; }
    Status setButtonsSwapped(bool) override {
        return Status::failure(5, "The pointer buttons cannot be changed on this desktop.");
    }
};

} // namespace kelvo
