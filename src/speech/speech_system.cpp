#include "speech/speech_system.h"

namespace kelvo {

SpeechSystem::SpeechSystem(const SpeechServices& services, speech::SpeechEventSink& dispatcher)
    : m_serial(dispatcher),
      m_engine(services.platform, m_serial, services.state, services.dataFolder, services.boxes,
               services.app, services.feedback),
      m_grammars(m_engine, services.state, services.boxes, services.app, services.feedback),
      m_sleepWake(m_engine, services.state, services.app, services.feedback, services.tone) {}

} // namespace kelvo
