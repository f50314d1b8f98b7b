#pragma once

#include "platform/speech/speech_engine.h"
#include "services/app_control.h"
#include "services/message_boxes.h"
#include "speech/feedback_port.h"
#include "speech/speech_state.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kelvo {

/// The actions of controlEngine.
namespace engine_action {
inline constexpr const char* kShutdown = "shutdown";
inline constexpr const char* kCrankUpEngine = "crankUpEngine";
inline constexpr const char* kGetAudioInput = "getaudioinput";
inline constexpr const char* kStartListening = "startListening";
} // namespace engine_action

/// Rank of an engine by its description (exact, case-sensitive); 0 for any
/// engine the table does not know.
float engineRank(std::string_view description);

/// The speech objects of the run. Released in reverse order of making: the
/// grammar before its context before its recognizer.
struct SpeechObjects {
    std::unique_ptr<speech::Recognizer> recognizer;
    std::unique_ptr<speech::RecoContext> rc;
    std::unique_ptr<speech::SpeechGrammar> grammar;

    void release();
};

/// Creates, configures and releases the recognizer, its recognition context
/// and the one command grammar.
class EngineController {
public:
    EngineController(speech::SpeechPlatform& platform, speech::SpeechEventSink& sink,
                     SpeechState& state, std::filesystem::path dataFolder, MessageBoxes& boxes,
                     AppControl& app, FeedbackPort& feedback);

    /// Runs one action: "shutdown", "crankUpEngine" (with the profile name,
    /// empty for the engine's default), "getaudioinput" or "startListening".
    /// Returns ok when the action was carried out whole. A failure has
    /// already been shown to the user (audio-setup or runtime error) and is
    /// returned so the caller does not go on as if the engine ran; an
    /// unknown action changes nothing and fails without a report.
    Status controlEngine(std::string_view action, const std::string& profileName);

    /// The objects made so far (any may be null).
    SpeechObjects& objects() { return m_objects; }

    /// The platform the engine runs on.
    speech::SpeechPlatform& platform() { return m_platform; }

    /// Where the last action was when it ended (quoted by error reports).
    const std::string& stepMarker() const { return m_step; }

    /// Whoever keeps what a dictation waits for (a search's words, a
    /// location): told by forgetPendingDictation.
    void setPendingDictationForgetter(std::function<void()> forget) {
        m_forgetPendingDictation = std::move(forget);
    }

    /// Called wherever the commands listen again from outside the
    /// recognition road (sleep or wake, a grammar file the program loads, a
    /// new or released engine): dictated words awaited before will not
    /// come, and the next phrase must be taken as a command.
    void forgetPendingDictation() const {
        if (m_forgetPendingDictation)
            m_forgetPendingDictation();
    }

    /// Called once each time the input in use stops while the engine runs,
    /// after the loss is shown: retakeInput is then worth calling.
    void setInputLostHandler(std::function<void()> handler) { m_onInputLost = std::move(handler); }

    /// After the input stopped: opens it again. True once nothing is left to
    /// retake (the engine hears again, or the engine that lost it is gone);
    /// false while the input stays away.
    bool retakeInput();

    /// The input in use stopped and is retaken as soon as it is back.
    bool waitsForInput() const { return m_inputLost; }

    /// The path of a grammar file of the data folder.
    std::filesystem::path grammarPath(const std::string& fileName) const {
        return m_dataFolder / fileName;
    }

private:
    /// The context's events on their way to the road; the controller
    /// watches the input among them.
    class ContextEvents final : public speech::SpeechEventSink {
    public:
        ContextEvents(EngineController& engine, speech::SpeechEventSink& road)
            : m_engine(engine), m_road(road) {}
        // Speech heard shows the input works: a later loss is news again.
        void onRecognition(const speech::PhraseEvent& event) override {
            m_engine.m_lossSaid = false;
            m_road.onRecognition(event);
        }
        void onHypothesis(const speech::PhraseEvent& event) override {
            m_engine.m_lossSaid = false;
            m_road.onHypothesis(event);
        }
        void onFalseRecognition(const speech::PhraseEvent& event) override {
            m_engine.m_lossSaid = false;
            m_road.onFalseRecognition(event);
        }
        void onInterference(const speech::InterferenceEvent& event) override {
            m_road.onInterference(event);
        }
        void onRequestUI(const speech::RequestUiEvent& event) override {
            m_road.onRequestUI(event);
        }
        void onInputLost(const speech::InputLostEvent& event) override {
            m_engine.inputLost(event);
        }

    private:
        EngineController& m_engine;
        speech::SpeechEventSink& m_road;
    };

    /// The input in use stopped: shown as an input that does not work,
    /// once, until retakeInput brings it back.
    void inputLost(const speech::InputLostEvent& event);
    Status shutdown();
    Status crankUpEngine(const std::string& profileName);
    Status getAudioInput();
    Status startListening();
    Status fail(const Status& error);
    /// Records whether the engine hears and shows it on the indicator and
    /// the tray icon; hearing, also the welcome.
    void showHearing(bool hearing);
    Status missing(const char* what);

    speech::SpeechPlatform& m_platform;
    ContextEvents m_events;
    SpeechState& m_state;
    std::filesystem::path m_dataFolder;
    MessageBoxes& m_boxes;
    AppControl& m_app;
    FeedbackPort& m_feedback;
    SpeechObjects m_objects;
    std::string m_step;
    std::function<void()> m_forgetPendingDictation;
    std::function<void()> m_onInputLost;
    /// The input of the context in use stopped and is not back yet.
    bool m_inputLost = false;
    /// The loss balloon was shown and nothing has been heard since, so an
    /// input that opens and fails again at once is not said every retry.
    bool m_lossSaid = false;
};

} // namespace kelvo
