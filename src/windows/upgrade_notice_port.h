#pragma once

#include <string>

namespace kelvo {

/// The notice of a newer version, as the close-down sees it.
class UpgradeNoticePort {
public:
    virtual ~UpgradeNoticePort() = default;

    /// Shows the server's message and a link to its address, modally; it
    /// closes itself after its own time, leaving the hourglass pointer.
    virtual void showUpgradeNotice(const std::string& message, const std::string& link) = 0;
};

} // namespace kelvo
