#pragma once

#include <functional>
#include <string>

namespace kelvo::speech {

/// Recognition type of a standard recognition.
inline constexpr int kRecognitionStandard = 0;

/// Bits of a recognition context's event interests. Only events whose bit is
/// set reach the sink.
namespace event_interest {
inline constexpr unsigned kRecognition = 16;
inline constexpr unsigned kHypothesis = 256;
inline constexpr unsigned kFalseRecognition = 1024;
inline constexpr unsigned kRequestUI = 2048;
inline constexpr unsigned kInterference = 8192;
} // namespace event_interest

/// Interference codes: what is wrong with the incoming sound. kNone is
/// reported when an input that had no signal is live again.
namespace interference {
inline constexpr int kNone = 0;
inline constexpr int kNoise = 1;
inline constexpr int kNoSignal = 2;
inline constexpr int kTooLoud = 3;
inline constexpr int kTooQuiet = 4;
} // namespace interference

/// Training screens an engine may ask for or show.
inline constexpr const char* kUiMicTraining = "MicTraining";
inline constexpr const char* kUiUserTraining = "UserTraining";

/// A phrase the engine heard (Recognition), guessed so far (Hypothesis) or
/// heard but could not match (FalseRecognition).
struct PhraseEvent {
    long streamNumber = 0;
    long streamPosition = 0;
    /// 0 for a standard recognition.
    int recognitionType = kRecognitionStandard;
    /// The recognised words: for a command rule exactly the rule's phrase.
    std::string text;
    /// The command rule that matched; empty for dictation or no match.
    std::string ruleName;
};

struct InterferenceEvent {
    long streamNumber = 0;
    long streamPosition = 0;
    int code = interference::kNone;
};

struct RequestUiEvent {
    long streamNumber = 0;
    long streamPosition = 0;
    /// "UserTraining", "MicTraining" or another engine word.
    std::string type;
};

/// The input stopped delivering sound for good (the device went away, the
/// sound server ended): the context hears nothing until its recognizer
/// opens the input again (Recognizer::refreshProfile).
struct InputLostEvent {
    long streamNumber = 0;
    /// What the input said when it stopped, for the log.
    std::string reason;
};

/// Receives the events of one recognition context, always on the UI thread
/// and never from inside a call into the engine.
class SpeechEventSink {
public:
    virtual ~SpeechEventSink() = default;
    virtual void onRecognition(const PhraseEvent& event) = 0;
    virtual void onHypothesis(const PhraseEvent& event) = 0;
    virtual void onFalseRecognition(const PhraseEvent& event) = 0;
    virtual void onInterference(const InterferenceEvent& event) = 0;
    virtual void onRequestUI(const RequestUiEvent& event) = 0;
    /// Delivered whatever the event interests: a sink that does not watch
    /// the input leaves it to the one that does.
    virtual void onInputLost(const InputLostEvent& event) { (void)event; }
};

/// Hands work to the UI thread. The Qt program posts through its event loop;
/// tests queue the tasks and drain them when they choose.
class UiPoster {
public:
    virtual ~UiPoster() = default;

    /// Queues the task to run later on the UI thread, in posting order. Never
    /// runs it inside this call. Safe to call from any thread.
    virtual void post(std::function<void()> task) = 0;
};

} // namespace kelvo::speech
