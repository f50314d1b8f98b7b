#pragma once

#include "ui/profile_list_window.h"
#include "windows/select_profile_wizard_logic.h"

#include <array>

class QCheckBox;

namespace kelvo {

/// Draws the select-profile wizard. Behaviour lives in the logic; this
/// class only shows and forwards.
class SelectProfileWizardWindow final : public ProfileListWindow, public SelectProfileWizardView {
    Q_OBJECT

public:
    explicit SelectProfileWizardWindow(const ProfileWizardServices& services);

    void setFrameVisible(SelectProfileFrame frame, bool visible) override;
    bool makeDefaultChecked() const override;
    void setMakeDefaultChecked(bool checked) override;
    bool trainChecked() const override;
    void setTrainChecked(bool checked) override;

private:
    std::array<QWidget*, 5> m_frames{};
    QCheckBox* m_default = nullptr;
    QCheckBox* m_train = nullptr;
    SelectProfileWizardLogic m_logic;
};

} // namespace kelvo
