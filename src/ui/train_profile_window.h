#pragma once

#include "ui/profile_list_window.h"
#include "windows/train_profile_window_logic.h"

#include <array>

namespace kelvo {

/// Draws the train-profile window. Behaviour lives in the logic; this class
/// only shows and forwards.
class TrainProfileWindow final : public ProfileListWindow, public TrainProfileWindowView {
    Q_OBJECT

public:
    explicit TrainProfileWindow(const ProfileWizardServices& services);

    void setFrameVisible(TrainProfileFrame frame, bool visible) override;

private:
    std::array<QWidget*, 3> m_frames{};
    TrainProfileWindowLogic m_logic;
};

} // namespace kelvo
