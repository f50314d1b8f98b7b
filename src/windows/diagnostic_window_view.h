#pragma once

#include <deque>
#include <string>

namespace kelvo {

/// The diagnostic window as its logic drives it.
class DiagnosticWindowView {
public:
    enum class List { Engine, Feedback };

    virtual ~DiagnosticWindowView() = default;
    virtual void setCaption(const std::string& caption) = 0;
    /// Replaces the list's lines.
    virtual void showLines(List list, const std::deque<std::string>& lines) = 0;
};

} // namespace kelvo
