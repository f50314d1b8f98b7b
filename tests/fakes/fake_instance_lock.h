#pragma once

#include "platform/instance_lock.h"

namespace kelvo::fakes {

/// An instance lock the test sets: held by another instance or free, or
/// failing to be made.
class FakeInstanceLock : public InstanceLock {
public:
    Result<bool> tryAcquire() override {
        ++attempts;
        if (fails) {
            return Status::failure(75, "lock file can't be made");
        }
        if (heldElsewhere) {
            return false;
        }
        acquired = true;
        return true;
    }

    bool heldElsewhere = false;
    bool fails = false;
    bool acquired = false;
    int attempts = 0;
};

} // namespace kelvo::fakes
