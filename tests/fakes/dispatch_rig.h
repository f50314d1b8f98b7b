#pragma once

#include "fakes/fake_app_control.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_dispatch_host.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/fake_window_registry.h"
#include "fakes/queued_ui_poster.h"
#include "fakes/scripted_speech_engine.h"
#include "fakes/speech_rig.h"
#include "fakes/temp_dir.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "speech/desktop_actions.h"
#include "speech/engine_controller.h"
#include "speech/recognition_dispatcher.h"
#include "speech/recognition_events.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Interpreters that take the phrases a test names and record every offer.
class RecordingInterpreters : public PhraseInterpreters {
public:
    bool checkMusic(const std::string& phrase) override {
        calls.push_back("music " + phrase);
        return phrase == musicTakes;
    }
    bool goSocialNetworkPage(const std::string& phrase) override {
        calls.push_back("social " + phrase);
        return phrase == socialTakes;
    }
    void searchBookmarks(const std::string& phrase) override {
        calls.push_back("bookmarks " + phrase);
    }
    void login(const std::string& site) override { calls.push_back("login " + site); }
    void forgetPendingSteps() override { ++forgotten; }

    std::string musicTakes;
    std::string socialTakes;
    int forgotten = 0;
    std::vector<std::string> calls;
};

/// The recognition road wired to the scripted engine and fakes: speaking a
/// phrase sends it through the engine's events to the dispatcher.
struct DispatchRig {
    DispatchRig() {
        writeTestGrammars(dir.path());
        host.folder = dir.path();
        host.onReset = [this] { resetGrammarDueToCounter(); };
    }

    /// Starts the engine so that the grammar exists and events flow.
    bool start() {
        const bool ok = controller.controlEngine(engine_action::kCrankUpEngine, "").ok() &&
                        controller.controlEngine(engine_action::kGetAudioInput, "").ok() &&
                        controller.controlEngine(engine_action::kStartListening, "").ok();
        host.grammarObject = controller.objects().grammar.get();
        return ok;
    }

    /// Hands a recognition straight to the events, whatever the grammar.
    void recognise(const std::string& text, int type = 0) {
        speech::PhraseEvent event;
        event.text = text;
        event.recognitionType = type;
        events.onRecognition(event);
    }

    /// The counter reload, as the grammar switching does it.
    void resetGrammarDueToCounter() {
        if (speech.commandCounter > 10) {
            speech.commandCounter = 0;
            ++reloads;
        }
    }

    void addRow(std::vector<std::string> columns) {
        CommandRecord row;
        for (std::size_t i = 0; i < columns.size() && i < kCommandColumns; ++i) {
            row.columns[i] = columns[i];
        }
        catalogue.commandTable.push_back(row);
    }

    /// A row of the custom-command store.
    void addCustom(const std::string& phrase, const std::string& target) {
        addRow({phrase, target});
        catalogue.commandTable.back().custom = true;
    }

    /// A catalogue search row: phrase, template, placeholder, ct, p2, type.
    void addSearch(const std::string& phrase, const std::string& u, const std::string& p,
                   const std::string& ct, const std::string& p2, const std::string& styp) {
        addRow({phrase, u, "2", p, ct, p2, "", "", "", styp, "", "", "", "Search " + phrase});
    }

    TempDir dir;
    QueuedUiPoster poster;
    ScriptedSpeechPlatform engine{poster};
    SpeechState speech;
    DispatchState state;
    CatalogueState catalogue;
    FakeDialogPort dialogs;
    PumpingAppControl app{poster};
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    FakeFeedbackPort feedback;
    FakeErrorSink settingsErrors;
    SettingsFile settings{dir.path() / "mouse.ini", settingsErrors};
    FakeWindowRegistry windows;
    FakeDispatchHost host;
    FakeDesktop desktop;
    DesktopPrograms programs{settings, ""};
    DesktopActions actions{desktop, state.mouseHandedness, boxes, host, programs};
    RecordingInterpreters interpreters;
    RecognitionDispatcher dispatcher{DispatchContext{state, speech, catalogue, boxState, boxes, app,
                                                     windows, feedback, settings, host, actions,
                                                     interpreters}};
    std::vector<std::string> requests;
    RecognitionEvents events{dispatcher, state, host, [this](const speech::RequestUiEvent& e) {
                                 requests.push_back(e.type);
                             }};
    EngineController controller{engine, events, speech, dir.path(), boxes, app, feedback};
    int reloads = 0;
};

} // namespace kelvo::fakes
