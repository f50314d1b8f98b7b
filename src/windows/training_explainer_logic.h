#pragma once

#include "services/window_registry.h"
#include "speech/speech_state.h"
#include "windows/training_explainer_view.h"

#include <functional>
#include <string>

namespace kelvo {

inline constexpr std::string_view kTrainingExplainerWindowName = "frmwhatistraining";

struct TrainingExplainerServices {
    WindowRegistry& windows;
    SpeechState& speech;
    /// mnuConfigureMic_Click.
    std::function<void()> configureMicrophone;
    std::function<void(const std::string&)> openHelpTopic;
};

/// frmWhatIsTraining: what profiles and training are, and links to the
/// microphone set-up and the profile wizards.
class TrainingExplainerLogic {
public:
    static constexpr const char* kCaption =
        "kelvo - What Is A 'Recognition Profile' And  'Training'?";

    TrainingExplainerLogic(TrainingExplainerView& view, TrainingExplainerServices services)
        : m_view(view), m_services(std::move(services)) {}

    void open();
    void clickLink(TrainingExplainerView::Link link);
    void clickHelp();
    void pointerOverHelp();
    void pointerOverBackdrop();
    /// The window closed: the main window shows again.
    void closed();

private:
    TrainingExplainerView& m_view;
    TrainingExplainerServices m_services;
    bool m_hover = false;
};

} // namespace kelvo
