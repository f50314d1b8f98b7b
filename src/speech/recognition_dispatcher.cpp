#include "speech/recognition_dispatcher.h"

#include "services/error_sink.h"
#include "services/window_services.h"
#include "speech/command_counter.h"
#include "speech/dispatch_failure.h"
#include "speech/feedback.h"
#include "speech/match_key.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <utility>

namespace kelvo {

namespace {

constexpr const char* kLocalSearchSettingsWindow = "frmlocalsearchsettings";

std::string placeNotice(const std::string& place) {
    std::string name = place;
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') {
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
    }
    return "'" + name + "' needs to be set first";
}

} // namespace

RecognitionDispatcher::RecognitionDispatcher(DispatchContext context) : m_c(context) {}

void RecognitionDispatcher::handleRecoEvent(const std::string& eventName, const std::string& key,
                                            const std::string& phraseText) {
    m_queue.push_back({eventName, key, phraseText});
    if (m_running) {
        // Inside a notice, the beep pause or a reload: handled after the
        // road that runs now, never in the middle of it.
        return;
    }
    m_running = true;
    // Whatever escapes a road, later recognitions must not wait for ever.
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{m_running};
    while (!m_queue.empty()) {
        Queued next = std::move(m_queue.front());
        m_queue.pop_front();
        runOne(next);
    }
}

void RecognitionDispatcher::clearPendingDictation() {
    m_c.state.pendingSearch.clear();
    m_c.state.dictationMode.clear();
    m_c.interpreters.forgetPendingSteps();
}

void RecognitionDispatcher::runOne(const Queued& event) {
    try {
        if (event.eventName == "Hypothesis") {
            m_c.state.diagnostics.append("hyp: " + event.text);
        } else if (event.eventName == "FalseRecognition") {
            m_c.state.diagnostics.append("FalseRecog: " + event.text);
        } else if (event.eventName == "Recognition") {
            m_c.state.diagnostics.append("recog: " + event.text);
            recognitionRoad(event.key, event.text);
        }
    } catch (const DispatchFailure& failure) {
        m_c.boxes.reportError(failure.number(), failure.what(), kDispatchLocation);
        recoverListening();
    } catch (const std::exception& failure) {
        m_c.boxes.reportError(error_number::kInvalidCall, failure.what(), kDispatchLocation);
        recoverListening();
    }
}

void RecognitionDispatcher::recoverListening() {
    // Whatever failed, the next phrase must be heard as a command.
    clearPendingDictation();
    try {
        if (speech::SpeechGrammar* grammar = m_c.host.grammar()) {
            (void)grammar->dictationSetState(speech::RuleState::Inactive);
            (void)grammar->cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Active);
        }
    } catch (const std::exception&) {
        // Already reported; nothing more can be done from here.
    }
}

void RecognitionDispatcher::recognitionRoad(const std::string& key, const std::string& text) {
    if (m_c.interpreters.checkMusic(text)) {
        m_c.host.resetGrammarDueToCounter();
        return;
    }
    if (m_c.interpreters.goSocialNetworkPage(text)) {
        m_c.host.resetGrammarDueToCounter();
        return;
    }
    m_c.interpreters.searchBookmarks(std::string(text));

    if (const BuiltinPhrase* row = findBuiltinPhrase(trimmed(key), trimmed(text))) {
        runBuiltin(*row, text);
        if (row->reloadCheck) {
            m_c.host.resetGrammarDueToCounter();
        }
        return;
    }
    if (m_c.state.pendingSearch.pending()) {
        takeSearchWords(text);
        return;
    }
    if (!m_c.state.dictationMode.empty()) {
        takeLocation(text);
        return;
    }
    catalogueStage(key, text);
}

void RecognitionDispatcher::feedbackHeard(const std::string& text) {
    std::string shown = text;
    giveFeedback(shown, m_c.feedback);
}

void RecognitionDispatcher::runBuiltin(const BuiltinPhrase& row, const std::string& text) {
    if (row.counted) {
        countCommand(m_c.speech);
    }
    const bool loginShown = row.argument == "myspace"    ? m_c.state.myspaceLoginShown
                            : row.argument == "facebook" ? m_c.state.facebookLoginShown
                                                         : false;
    switch (row.feedback) {
    case BuiltinFeedback::Heard:
        feedbackHeard(text);
        break;
    case BuiltinFeedback::Fixed:
        feedbackHeard(std::string(row.feedbackText));
        break;
    case BuiltinFeedback::WhenLoginShown:
        if (loginShown) {
            feedbackHeard(std::string(row.feedbackText));
        }
        break;
    case BuiltinFeedback::None:
        break;
    }

    const int handedness = m_c.state.mouseHandedness;
    switch (row.action) {
    case BuiltinAction::Click:
        m_c.desktop.mouseClick(handedness);
        break;
    case BuiltinAction::DoubleClick:
        m_c.desktop.mouseDoubleClick(handedness);
        break;
    case BuiltinAction::ContextMenu:
        if (handedness == kRightHanded) {
            m_c.desktop.mouseClick(2);
        } else if (handedness == kLeftHanded) {
            m_c.desktop.mouseClick(1);
        }
        break;
    case BuiltinAction::ClickTab:
        m_c.host.clickTab(std::string(row.argument));
        break;
    case BuiltinAction::Nothing:
        break;
    case BuiltinAction::Login:
        if (loginShown) {
            m_c.interpreters.login(std::string(row.argument));
        }
        break;
    case BuiltinAction::SelectPlace:
        selectPlace(std::string(row.argument));
        break;
    case BuiltinAction::StartZipDictation:
        startLocationDictation(text, "zip");
        break;
    case BuiltinAction::StartCityDictation:
        startLocationDictation(text, "city");
        break;
    case BuiltinAction::Wake:
    case BuiltinAction::Sleep:
        // A search or location waiting for words would otherwise take the
        // next command as its words once dictation is off.
        clearPendingDictation();
        m_c.host.muteUnmute(row.action == BuiltinAction::Wake ? 1 : -1);
        break;
    case BuiltinAction::StartMenu:
        m_c.desktop.startDesktopProgram(DesktopProgram::StartMenu);
        break;
    case BuiltinAction::Restore:
        m_c.desktop.restoreForegroundWindow();
        break;
    case BuiltinAction::Close:
        closeCommand();
        break;
    case BuiltinAction::ControlPanel:
        m_c.desktop.startDesktopProgram(DesktopProgram::ControlPanel);
        break;
    case BuiltinAction::Explorer:
        m_c.desktop.startDesktopProgram(DesktopProgram::Explorer);
        break;
    case BuiltinAction::Calculator:
        m_c.desktop.startDesktopProgram(DesktopProgram::Calculator);
        break;
    case BuiltinAction::MediaPlayer:
        m_c.desktop.startDesktopProgram(DesktopProgram::MediaPlayer);
        break;
    case BuiltinAction::ScreenDisplay:
        m_c.desktop.startDesktopProgram(DesktopProgram::ScreenDisplay);
        break;
    case BuiltinAction::Conceal:
        concealMainWindow();
        break;
    case BuiltinAction::Display:
        displayMainWindow();
        break;
    case BuiltinAction::Webcam:
        getWebcam();
        break;
    case BuiltinAction::Help:
        openHelp("index.html");
        break;
    case BuiltinAction::Quickstart:
        openHelp("quickstart.html");
        break;
    case BuiltinAction::Quit:
        askQuit();
        break;
    }
}

void RecognitionDispatcher::selectPlace(const std::string& place) {
    m_c.state.currentLocation = m_c.settings.readIni("Lobuteha", place, "abc", 150);
    if (m_c.state.currentLocation == "x" || m_c.state.currentLocation.empty()) {
        m_c.boxes.showNotice(placeNotice(place), "", 4000, true);
        m_c.windows.showWindow(kLocalSearchSettingsWindow);
        return;
    }
    std::string location = m_c.state.currentLocation;
    giveLocationFeedback(location, m_c.settings, m_c.feedback);
}

void RecognitionDispatcher::closeCommand() {
    WindowHandle window = 0;
    bool taskbar = false;
    if (!m_c.desktop.foregroundWindow(window, taskbar) || taskbar) {
        return;
    }
    if (m_c.desktop.getWindowName_Active() != m_c.host.mainWindowCaption()) {
        m_c.desktop.closeWindow(window);
        return;
    }
    askQuit();
}

void RecognitionDispatcher::askQuit() {
    m_c.messageBoxState.pendingAction = "Quit";
    m_c.boxes.custMsgBox("Quit kelvo?", "yesno", "Are you sure you want to close kelvo?", false);
}

void RecognitionDispatcher::displayMainWindow() {
    m_c.windows.showWindow(kMainWindowName);
    setTopMost(m_c.windows, kMainWindowName, true);
    setTopMost(m_c.windows, kMainWindowName, false);
    closeSecondaryForms(m_c.windows);
}

void RecognitionDispatcher::concealMainWindow() {
    hideAllForms(m_c.windows);
    m_c.windows.hideWindow(kMainWindowName);
}

void RecognitionDispatcher::getWebcam() {
    std::string& client = m_c.state.sChatClient;
    if (client.empty()) {
        m_c.boxes.custMsgBox("", "ok",
                             "You must select a webcam/chat client first.  This can be done on "
                             "the Options tab.",
                             false);
        return;
    }
    const std::string& name = m_c.state.sChatClientName;
    if (name == "Windows Live Messenger 8.0") {
        client = "msnmsgr.exe";
    } else if (name == "Windows Messenger 4/5") {
        client = "msmsgs.exe";
    }
    // Chat programs here are commands of the desktop's entries: started with
    // their arguments, and reported when their program is gone.
    if (!m_c.desktop.lookForWebChat(client, "Webcam/Chat Program")) {
        return;
    }
    std::vector<std::string> arguments = splitCommandLine(client);
    const char* path = std::getenv("PATH");
    const std::string program = findProgram(arguments.front(), path == nullptr ? "" : path);
    if (!program.empty()) {
        arguments.front() = program;
    }
    startTarget(arguments);
}

void RecognitionDispatcher::openHelp(const std::string& page) {
    const std::filesystem::path file = m_c.host.programFolder() / "help" / page;
    std::error_code error;
    // Told in a notice, as for a catalogue page: a help page that is gone
    // is no reason to end the program.
    if (!std::filesystem::is_regular_file(file, error)) {
        reportNotOpened("help page missing: " + file.string(),
                        "The help page " + file.string() + " is missing.");
        return;
    }
    openAddress(file.string());
}

} // namespace kelvo
