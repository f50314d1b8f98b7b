#pragma once

#include "speech/diagnostic_list.h"
#include "windows/diagnostic_window_view.h"

#include <string_view>

namespace kelvo {

inline constexpr std::string_view kDiagnosticWindowName = "frmdebug";

/// frmdebug: the engine list (nothing writes it) and the recognition
/// feedback list the handlers fill, each with its reset button.
class DiagnosticWindowLogic {
public:
    DiagnosticWindowLogic(DiagnosticWindowView& view, DiagnosticList& feedback)
        : m_view(view), m_feedback(feedback) {}

    void open();
    /// Shows lines added since the last look (the window asks each second).
    void refresh();
    /// Command1 "Reset Engine List".
    void resetEngineList();
    /// Command15 "Reset Feedback List".
    void resetFeedbackList();

private:
    DiagnosticWindowView& m_view;
    DiagnosticList& m_feedback;
    DiagnosticList m_engine;
    // Lines ever added to the feedback list when it was last shown.
    std::size_t m_shown = static_cast<std::size_t>(-1);
};

} // namespace kelvo
