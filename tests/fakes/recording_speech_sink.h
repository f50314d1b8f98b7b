#pragma once

#include "platform/speech/speech_events.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records the speech events it receives as short lines, in order.
class RecordingSpeechSink : public speech::SpeechEventSink {
public:
    void onRecognition(const speech::PhraseEvent& event) override {
        events.push_back("Recognition " + event.text + " [" + event.ruleName + "] " +
                         std::to_string(event.recognitionType));
    }
    void onHypothesis(const speech::PhraseEvent& event) override {
        events.push_back("Hypothesis " + event.text);
    }
    void onFalseRecognition(const speech::PhraseEvent& event) override {
        events.push_back("FalseRecognition " + event.text);
    }
    void onInterference(const speech::InterferenceEvent& event) override {
        events.push_back("Interference " + std::to_string(event.code));
    }
    void onRequestUI(const speech::RequestUiEvent& event) override {
        events.push_back("RequestUI " + event.type);
    }

    std::vector<std::string> events;
};

} // namespace kelvo::fakes
