#pragma once

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_voice_profile_port.h"
#include "fakes/fake_window_registry.h"
#include "fakes/temp_dir.h"
#include "windows/profile_wizard_services.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// The services of the voice-profile windows, all recording.
struct ProfileWizardRig {
    /// The notices shown, first text and second joined by "|".
    std::vector<std::string> notices() const {
        std::vector<std::string> out;
        for (const auto& shown : dialogs.shown)
            if (shown.kind == "notice")
                out.push_back(shown.title + "|" + shown.message);
        return out;
    }

    TempDir dir;
    FakeErrorSink errors;
    FakeDialogPort dialogs;
    FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    SettingsFile settings{dir / "mouse.ini", errors};
    SpeechState speech;
    FakeVoiceProfilePort profiles;
    FakeWindowRegistry windows;
    std::vector<std::string> helpOpened;
    ProfileWizardServices services{
        profiles, settings, boxes,
        speech,   windows,  [this](const std::string& page) { helpOpened.push_back(page); }};
};

} // namespace kelvo::fakes
