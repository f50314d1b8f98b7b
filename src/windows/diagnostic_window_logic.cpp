#include "windows/diagnostic_window_logic.h"

namespace kelvo {

void DiagnosticWindowLogic::open() {
    m_view.setCaption("Debug Form");
    m_view.showLines(DiagnosticWindowView::List::Engine, m_engine.lines());
    refresh();
}

void DiagnosticWindowLogic::refresh() {
    // Dropped and kept lines together only grow, also when the list is full.
    const std::size_t ever = m_feedback.dropped() + m_feedback.lines().size();
    if (ever != m_shown) {
        m_shown = ever;
        m_view.showLines(DiagnosticWindowView::List::Feedback, m_feedback.lines());
    }
}

void DiagnosticWindowLogic::resetEngineList() {
    m_engine.clear();
    m_view.showLines(DiagnosticWindowView::List::Engine, m_engine.lines());
}

void DiagnosticWindowLogic::resetFeedbackList() {
    m_feedback.clear();
    m_shown = static_cast<std::size_t>(-1);
    refresh();
}

} // namespace kelvo
