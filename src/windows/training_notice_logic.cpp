#include "windows/training_notice_logic.h"

namespace kelvo {

void TrainingNoticeLogic::open() {
    m_view.setCaption(kCaption);
    m_view.setTexts(kQuestion, kExplanation);
    m_view.startTimer(kDelayMs);
}

void TrainingNoticeLogic::timerFired() {
    if (m_fired || m_closed) {
        return;
    }
    m_fired = true;
    m_services.openTutorial();
    m_services.openVoiceTraining();
    m_view.closeWindow();
}

void TrainingNoticeLogic::closed() {
    if (m_closed) {
        return;
    }
    m_closed = true;
    m_view.stopTimer();
    m_services.pumpEvents();
    m_services.shutdownProgram();
}

} // namespace kelvo
