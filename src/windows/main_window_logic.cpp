#include "windows/main_window_logic.h"

#include "services/hex_coding.h"
#include "speech/feedback.h"
#include "windows/autostart_entry.h"
#include "windows/chat_program_detection.h"
#include "windows/main_window_lists.h"

#include <exception>
#include <utility>

namespace kelvo {

namespace {

constexpr std::array<Frame, kFrameCount> kAllFrames = {
    Frame::VoiceCommands,  Frame::MouseConfig, Frame::WebCommands, Frame::CustomCommands,
    Frame::ClientCommands, Frame::FirstTime,   Frame::Music,       Frame::Bookmarks,
    Frame::Searches,       Frame::Social,      Frame::Stuff,       Frame::Fun};

struct TagFrame {
    const char* tag;
    Frame frame;
};
constexpr std::array<TagFrame, 11> kTagFrames = {{{"Basic", Frame::VoiceCommands},
                                                  {"Places", Frame::WebCommands},
                                                  {"Custom", Frame::CustomCommands},
                                                  {"Music", Frame::Music},
                                                  {"Options", Frame::MouseConfig},
                                                  {"Client", Frame::ClientCommands},
                                                  {"Bookmarks", Frame::Bookmarks},
                                                  {"Searches", Frame::Searches},
                                                  {"Social", Frame::Social},
                                                  {"Stuff", Frame::Stuff},
                                                  {"Fun", Frame::Fun}}};

/// A load step that went wrong: the number and text for the error box.
struct LoadError {
    int number;
    std::string description;
};

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

bool siteSwitchOn(const std::string& hexValue) {
    // The unset default "x" is no hex; it is simply off, not an error.
    const Result<std::string> decoded = decodeHex(hexValue);
    return decoded.ok() && *decoded == "1";
}

MainWindowLogic::MainWindowLogic(MainWindowState& state, DispatchState& dispatch,
                                 MessageBoxState& boxState, MainWindowView& view,
                                 TrayIconPort& tray, SettingsFile& settings, MessageBoxes& boxes,
                                 AppControl& app, PointerButtons& pointer, MainWindowPaths paths,
                                 MainWindowHooks hooks)
    : m_state(state), m_dispatch(dispatch), m_boxState(boxState), m_view(view), m_tray(tray),
      m_settings(settings), m_boxes(boxes), m_app(app), m_pointer(pointer),
      m_paths(std::move(paths)), m_hooks(std::move(hooks)) {}

Status MainWindowLogic::formLoad(const std::string& upgradeMessage) {
    if (m_loaded) {
        return {};
    }
    m_loaded = true;
    // Until the start page is up, errors belong to the caller.
    try {
        m_marker = "mm1";
        const std::string location = m_settings.readIni("Lobuteha", "location", "abc", 150);
        m_view.setLocationText(location.empty() || location == "x"
                                   ? "Click To Set Location"
                                   : "Current location: " + location);
        m_marker = "mm2";
        // Not listening until the engine says it hears (the welcome then).
        m_tray.addIcon(kNotListeningTip);
        m_marker = "mm3";
        m_view.showStartPage(m_paths.dataFolder / "logo.html");
    } catch (const std::exception& e) {
        return Status::failure(error_number::kInvalidCall, e.what());
    }
    runLoadSteps(upgradeMessage);
    return {};
}

void MainWindowLogic::runLoadSteps(const std::string& upgradeMessage) {
    auto step = [](const Status& status) {
        if (!status.ok()) {
            throw LoadError{status.number(), status.message()};
        }
    };
    try {
        m_state.appLanguage = "English";
        m_marker = "mm4";
        readDisplayOnStart("Splash", CheckBox::ShowSplash);
        m_marker = "mm5";
        readDisplayOnStart("Main", CheckBox::ShowMain);
        // The box only mirrors the entry; setting it must not rewrite the
        // user's splash choice or the entry itself.
        m_view.setCheckBox(CheckBox::AutoStart, autostartEntryExists(m_paths.autostartFolder));
        m_marker = "mm6";
        showOnlyFrame(Frame::VoiceCommands);
        loadBasicList();
        loadSocialList();
        m_marker = "mm7";
        if (m_hooks.loadAllCommandLists) {
            step(m_hooks.loadAllCommandLists());
        }
        m_marker = "mm8";
        if (m_hooks.loadCustomCommandList) {
            step(m_hooks.loadCustomCommandList());
        }
        m_marker = "mm9";
        fillChatPrograms();
        m_marker = "mm17";
        readWebcamChoice();
        m_marker = "mm18";
        m_view.setListeningImage(kIndicatorAsleep);
        m_tray.setAsleep(true);
        m_marker = "mm19";
        showUpgradeMessage(upgradeMessage);
    } catch (const LoadError& error) {
        m_boxes.custMsgBox("Error", "ok",
                           std::to_string(error.number) + error.description +
                               "Error loading voice objects! Please make sure kelvo is correctly "
                               "installed.\n" +
                               m_marker,
                           false);
    } catch (const std::exception& e) {
        m_boxes.custMsgBox("Error", "ok",
                           std::to_string(error_number::kInvalidCall) + e.what() +
                               "Error loading voice objects! Please make sure kelvo is correctly "
                               "installed.\n" +
                               m_marker,
                           false);
    }
}

void MainWindowLogic::readDisplayOnStart(const char* section, CheckBox box) {
    const std::string value =
        trimmed(m_settings.readIni(section, "DisplayOnStart", "NotSet", 7)).substr(0, 4);
    if (value == "True") {
        m_view.setCheckBox(box, true);
    } else if (value == "Fals") {
        m_view.setCheckBox(box, false);
    }
}

void MainWindowLogic::showOnlyFrame(Frame frame) {
    m_view.setFrameVisible(frame, true);
    for (Frame other : kAllFrames) {
        if (other != frame) {
            m_view.setFrameVisible(other, false);
        }
    }
}

void MainWindowLogic::fillChatPrograms() {
    m_state.chatPrograms = detectChatPrograms(m_paths.applicationFolders, kMaxChatPrograms);
    for (const ChatProgram& program : m_state.chatPrograms) {
        m_view.addChatProgramItem(program.name);
    }
}

void MainWindowLogic::readWebcamChoice() {
    const std::string none = "No webcam or chat program is selected";
    if (m_settings.readIni("Webcam", "WebcamName", "abc", 50) == "x") {
        m_view.setWebcamLabel(none);
        return;
    }
    m_dispatch.sChatClient = m_settings.readIni("Webcam", "Webcam", "abc", 150);
    m_dispatch.sChatClientName = m_settings.readIni("Webcam", "WebcamName", "abc", 50);
    m_view.setWebcamLabel(
        m_dispatch.sChatClient.empty() ? none : "Opens the program: " + m_dispatch.sChatClientName);
}

void MainWindowLogic::removeClientTab() {
    const std::vector<std::string> tags = m_view.tabTags();
    // Only the Client tab sits sixth; never remove another one.
    if (tags.size() > 5 && tags[5] == "Client") {
        m_view.removeTab(5);
    }
}

void MainWindowLogic::tabStripClicked() {
    const int selected = m_view.selectedTab();
    const std::vector<std::string> tags = m_view.tabTags();
    if (selected < 0 || selected >= static_cast<int>(tags.size())) {
        return;
    }
    for (const TagFrame& entry : kTagFrames) {
        if (tags[selected] == entry.tag) {
            showOnlyFrame(entry.frame);
            return;
        }
    }
}

void MainWindowLogic::clickTab(const std::string& tag) {
    const std::vector<std::string> tags = m_view.tabTags();
    for (size_t i = 0; i < tags.size(); ++i) {
        if (tags[i] == tag) {
            m_view.selectTab(static_cast<int>(i));
            tabStripClicked();
        }
    }
}

void MainWindowLogic::fillFixedList(const FixedList& list) {
    m_view.clearList(list.id);
    for (const ListColumn& column : list.columns) {
        m_view.addListColumn(list.id, column.header, column.widthTwips);
    }
    for (const auto& row : list.rows) {
        m_view.addListRow(list.id, row);
    }
}

void MainWindowLogic::loadBasicList() {
    fillFixedList(basicList());
}

void MainWindowLogic::loadSocialList() {
    for (const FixedList& list : socialLists()) {
        fillFixedList(list);
    }
    fillFixedList(loginList());
    if (siteSwitchOn(m_settings.readIni("Flatrock", "l", "x", 10))) {
        m_dispatch.facebookLoginShown = true;
    }
    if (siteSwitchOn(m_settings.readIni("Miami", "l", "x", 10))) {
        m_dispatch.myspaceLoginShown = true;
    }
    if (m_dispatch.facebookLoginShown) {
        m_view.addListRow(ListId::Login, {"login to facebook"});
    }
    if (m_dispatch.myspaceLoginShown) {
        m_view.addListRow(ListId::Login, {"login to myspace"});
    }
    m_view.setListEnabled(ListId::Login,
                          m_dispatch.facebookLoginShown || m_dispatch.myspaceLoginShown);
}

void MainWindowLogic::showUpgradeMessage(const std::string& upgradeMessage) {
    if (upgradeMessage.empty()) {
        return;
    }
    if (!m_welcomed && !m_engineStepsDone) {
        m_heldMessage = upgradeMessage;
        return;
    }
    // Said to listen only once the engine has been heard to.
    showBalloon("Message From Kelvo",
                m_welcomed
                    ? upgradeMessage + "\r\n\r\n(kelvo is now awake and listening for your voice "
                                       "commands!)"
                    : upgradeMessage);
}

void MainWindowLogic::startupEngineStepsDone() {
    m_engineStepsDone = true;
    showUpgradeMessage(std::exchange(m_heldMessage, {}));
}

void MainWindowLogic::loadMusicList() {
    for (const FixedList& list : musicLists()) {
        fillFixedList(list);
    }
}

Status MainWindowLogic::reloadCommandLists() {
    loadSocialList();
    if (m_hooks.loadAllCommandLists) {
        if (Status status = m_hooks.loadAllCommandLists(); !status.ok()) {
            return status;
        }
    }
    if (m_hooks.loadCustomCommandList) {
        return m_hooks.loadCustomCommandList();
    }
    return {};
}

void MainWindowLogic::setUpAdPanes(const std::array<bool, 4>& shown) {
    const auto page = [this](int pane) {
        return m_paths.dataFolder / ("ad" + std::to_string(pane) + ".html");
    };
    m_view.setAdPane(1, page(1), shown[0]);
    if (shown[1]) {
        m_view.setAdPane(2, page(2), true);
        m_view.setAdPane(3, page(3), false);
        m_view.setAdPane(4, page(4), false);
        return;
    }
    m_view.setAdPane(2, page(2), false);
    m_view.setAdPane(3, page(3), shown[2]);
    m_view.setAdPane(4, page(4), shown[3]);
}

void MainWindowLogic::showBalloon(const std::string& title, const std::string& text) {
    m_tray.showBalloon(cutToCharacters(title, kBalloonTitleLength),
                       cutToCharacters(text, kBalloonTextLength));
}

void MainWindowLogic::welcome() {
    if (m_welcomed) {
        return;
    }
    m_welcomed = true;
    showBalloon("Welcome To Kelvo", "Kelvo is now awake and listening for your voice commands!");
    showUpgradeMessage(std::exchange(m_heldMessage, {}));
}

void MainWindowLogic::muteClicked() {
    if (m_hooks.toggleListening) {
        m_hooks.toggleListening();
    }
}

void MainWindowLogic::trayShowClicked() {
    if (!m_view.isFrameVisible(Frame::FirstTime)) {
        m_view.showWindow();
    }
}

void MainWindowLogic::exitClicked() {
    m_boxState.pendingAction = "Quit";
    formUnload();
}

void MainWindowLogic::quitFromTray() {
    m_boxState.pendingAction = "Quit";
    if (m_app.questionnaireTakesOverQuit()) {
        return;
    }
    formUnload();
}

void MainWindowLogic::formUnload() {
    // The button, the tray and the window's close all end here; the
    // close-down must run once even when they overlap.
    if (m_unloading) {
        return;
    }
    m_unloading = true;
    m_app.pumpEvents();
    m_boxState.pendingAction = "Quit";
    m_app.quitProgram();
}

} // namespace kelvo
