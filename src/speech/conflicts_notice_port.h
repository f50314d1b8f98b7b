#pragma once

#include <string>

namespace kelvo {

/// The notice that lists custom commands renamed after an update.
class ConflictsNoticePort {
public:
    virtual ~ConflictsNoticePort() = default;

    /// Shows the conflicts notice with this message, modally; it closes
    /// itself after its own time.
    virtual void showConflictsNotice(const std::string& message) = 0;
};

} // namespace kelvo
