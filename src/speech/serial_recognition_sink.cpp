#include "speech/serial_recognition_sink.h"

namespace kelvo {

void SerialRecognitionSink::onRecognition(const speech::PhraseEvent& event) {
    m_waiting.push_back(event);
    if (m_busy)
        return;
    m_busy = true;
    struct Done {
        bool& busy;
        ~Done() { busy = false; }
    } done{m_busy};
    while (!m_waiting.empty()) {
        const speech::PhraseEvent next = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_target.onRecognition(next);
    }
}

} // namespace kelvo
