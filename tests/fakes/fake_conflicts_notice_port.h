#pragma once

#include "speech/conflicts_notice_port.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records every conflicts notice shown.
class FakeConflictsNoticePort : public ConflictsNoticePort {
public:
    void showConflictsNotice(const std::string& message) override { shown.push_back(message); }

    std::vector<std::string> shown;
};

} // namespace kelvo::fakes
