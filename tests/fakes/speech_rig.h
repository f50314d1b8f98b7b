#pragma once

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/queued_ui_poster.h"
#include "fakes/recording_speech_sink.h"
#include "fakes/scripted_speech_engine.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/message_boxes.h"
#include "speech/engine_controller.h"
#include "speech/speech_state.h"

#include <functional>
#include <string>

namespace kelvo::fakes {

/// Lets waiting events run the way the UI loop would: it drains the poster.
class PumpingAppControl : public FakeAppControl {
public:
    explicit PumpingAppControl(QueuedUiPoster& poster) : m_poster(poster) {}
    void pumpEvents() override {
        FakeAppControl::pumpEvents();
        if (duringPump)
            duringPump();
        m_poster.drain();
    }
    std::function<void()> duringPump;

private:
    QueuedUiPoster& m_poster;
};

/// Grammar files of a small data folder: the normal grammar hears the
/// commands and the mute phrase, the sleep grammar only the wake phrase,
/// the training grammar only "next".
inline void writeTestGrammars(const std::filesystem::path& folder) {
    (void)writeFileAtomically(folder / "en_CLICK.XML", R"(<GRAMMAR LANGID="409">
  <RULE NAME="open google" TOPLEVEL="ACTIVE"><P>open google</P></RULE>
  <RULE NAME="mute computer microphone" TOPLEVEL="ACTIVE"><P>mute computer microphone</P></RULE>
  <RULE NAME="search the web" TOPLEVEL="ACTIVE"><P>search the web</P></RULE>
</GRAMMAR>)");
    (void)writeFileAtomically(folder / "en_CLICK_mute.XML", R"(<GRAMMAR LANGID="409">
  <RULE NAME="activate computer microphone" TOPLEVEL="ACTIVE"><P>activate computer microphone</P></RULE>
</GRAMMAR>)");
    (void)writeFileAtomically(folder / "min.xml", R"(<GRAMMAR LANGID="409">
  <RULE NAME="next" TOPLEVEL="ACTIVE"><P>next</P></RULE>
</GRAMMAR>)");
}

/// The speech side wired to fakes: a scripted engine, a queued UI thread,
/// recording dialogs and feedback, and a data folder with the grammars.
struct SpeechRig {
    SpeechRig() { writeTestGrammars(dir.path()); }

    /// Starts the engine the way the program does; true when all three ran.
    /// What the start showed is forgotten: tests look at what follows.
    bool start(const std::string& profile = "") {
        const bool started =
            controller.controlEngine(engine_action::kCrankUpEngine, profile).ok() &&
            controller.controlEngine(engine_action::kGetAudioInput, "").ok() &&
            controller.controlEngine(engine_action::kStartListening, "").ok();
        feedback.calls.clear();
        return started;
    }

    /// Says a phrase and lets the UI thread run; returns the sink's events.
    std::vector<std::string> say(const std::string& phrase) {
        sink.events.clear();
        engine.say(phrase);
        poster.drain();
        return sink.events;
    }

    TempDir dir;
    QueuedUiPoster poster;
    ScriptedSpeechPlatform engine{poster};
    RecordingSpeechSink sink;
    SpeechState state;
    FakeDialogPort dialogs;
    PumpingAppControl app{poster};
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    FakeFeedbackPort feedback;
    EngineController controller{engine, sink, state, dir.path(), boxes, app, feedback};
};

} // namespace kelvo::fakes
