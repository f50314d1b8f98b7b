#pragma once

#include "platform/desktop.h"
#include "services/app_control.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/window_registry.h"
#include "speech/desktop_actions.h"
#include "speech/desktop_programs.h"
#include "speech/feedback_port.h"
#include "speech/phrase_interpreters.h"
#include "speech/recognition_dispatcher.h"
#include "speech/recognition_events.h"
#include "startup/app_state.h"

#include <functional>
#include <memory>

namespace kelvo {

/// What the recognition road is made from in the running program.
struct RecognitionRoadParts {
    AppState& state;
    DispatchHost& host;
    MessageBoxes& boxes;
    AppControl& app;
    WindowRegistry& windows;
    FeedbackPort& feedback;
    SettingsFile& settings;
    PhraseInterpreters& interpreters;
    std::function<void(const speech::RequestUiEvent&)> onRequestUI;
};

/// The recognition road of the program, made once: the desktop (X11, or a
/// desktop whose actions report that they are unavailable), the desktop
/// programs of the settings, the dispatcher and the event sink that the
/// speech system delivers to.
class RecognitionRoad {
public:
    explicit RecognitionRoad(const RecognitionRoadParts& parts);

    speech::SpeechEventSink& events() { return m_events; }
    RecognitionDispatcher& dispatcher() { return m_dispatcher; }

private:
    std::unique_ptr<Desktop> m_desktop;
    DesktopPrograms m_programs;
    DesktopActions m_actions;
    RecognitionDispatcher m_dispatcher;
    RecognitionEvents m_events;
};

} // namespace kelvo
