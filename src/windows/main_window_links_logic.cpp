#include "windows/main_window_links_logic.h"

#include "platform/shell.h"
#include "services/message_boxes.h"
#include "services/window_registry.h"
#include "speech/speech_state.h"
#include "windows/coupon_page.h"
#include "windows/help_topics.h"
#include "windows/main_window_view.h"

#include <utility>

namespace kelvo {

namespace {

/// Sound settings programs of the common desktops, tried in turn.
struct SoundSettings {
    const char* program;
    std::vector<std::string> arguments;
};

} // namespace

MainWindowLinksLogic::MainWindowLinksLogic(MainWindowView& view, const SpeechState& speech,
                                           HelpTopics& help, WindowRegistry& windows,
                                           MessageBoxes& boxes, Shell& shell, OpenAddress open,
                                           std::filesystem::path programFolder,
                                           std::filesystem::path dataFolder,
                                           MainWindowLinksHooks hooks)
    : m_view(view), m_speech(speech), m_help(help), m_windows(windows), m_boxes(boxes),
      m_shell(shell), m_open(std::move(open)), m_programFolder(std::move(programFolder)),
      m_dataFolder(std::move(dataFolder)), m_hooks(std::move(hooks)) {}

bool MainWindowLinksLogic::notListening() const {
    return m_speech.asleep || !m_speech.hearing;
}

void MainWindowLinksLogic::listeningHovered() {
    if (m_hovered) {
        return;
    }
    m_view.setListeningImage(notListening() ? 4 : 2);
    m_hovered = true;
}

void MainWindowLinksLogic::listeningLeft() {
    if (!m_hovered) {
        return;
    }
    m_view.setListeningImage(notListening() ? 3 : 1);
    m_hovered = false;
}

void MainWindowLinksLogic::locationClicked() {
    constexpr std::string_view kSettings = "frmlocalsearchsettings";
    if (!m_windows.hasWindow(kSettings)) {
        m_boxes.showNotice("Not Available Yet",
                           "The Local Search Settings window is not part of this version of "
                           "kelvo yet.",
                           1, false);
        return;
    }
    m_windows.showWindow(kSettings);
}

void MainWindowLinksLogic::customListDoubleClicked(
    const std::optional<std::vector<std::string>>& row) {
    if (!row || row->empty()) {
        m_boxes.custMsgBox("Unable To Remove A Command", "ok", "An item was not selected.", false);
        return;
    }
    const std::string target = row->size() > 1 ? (*row)[1] : std::string();
    if (!m_hooks.editCustomCommand || !m_hooks.editCustomCommand(row->front(), target)) {
        m_boxes.showNotice("Not Available Yet",
                           "The custom command editor is not part of this version of kelvo yet.", 1,
                           false);
        return;
    }
    if (m_hooks.reloadCommandGrammar) {
        m_hooks.reloadCommandGrammar();
    }
}

void MainWindowLinksLogic::adPaneActivated(int pane) {
    if (pane < 1 || pane > 4 || !m_hooks.adCoupon) {
        return;
    }
    const AdCoupon coupon = m_hooks.adCoupon(pane);
    if (Status shown = showCoupon(coupon.location, pane, coupon.picture, m_programFolder,
                                  m_dataFolder, m_open);
        !shown) {
        m_boxes.showNotice("Coupon", shown.message(), 1, false);
    }
}

void MainWindowLinksLogic::troubleshootMicrophone() {
    m_help.open("mic.html");
    if (m_hooks.microphoneSetUp) {
        (void)m_hooks.microphoneSetUp();
    }
    const std::vector<SoundSettings> candidates = {
        {"pavucontrol", {"--tab=4"}},
        {"gnome-control-center", {"sound"}},
        {"systemsettings", {"kcm_pulseaudio"}},
    };
    for (const SoundSettings& candidate : candidates) {
        if (shellSucceeded(m_shell.startProgram(candidate.program, candidate.arguments))) {
            return;
        }
    }
    m_boxes.showNotice("Sound Settings",
                       "No sound settings program was found. Install pavucontrol, or open your "
                       "desktop's sound settings to choose and test the microphone.",
                       1, false);
}

} // namespace kelvo
