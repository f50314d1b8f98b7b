#pragma once

#include "windows/create_profile_wizard_logic.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvo {

/// Draws the create-profile wizard. Behaviour lives in the logic; this
/// class only shows and forwards.
class CreateProfileWizardWindow final : public QWidget, public CreateProfileWizardView {
    Q_OBJECT

public:
    explicit CreateProfileWizardWindow(const ProfileWizardServices& services);

    void setTitle(const std::string& text) override;
    void setFrameVisible(CreateProfileFrame frame, bool visible) override;
    void setStepTitleVisible(int step, bool visible) override;
    void setButtonCaption(const std::string& text) override;
    std::string profileName() const override;
    void setProfileName(const std::string& name) override;
    bool makeDefaultChecked() const override;
    void setMakeDefaultChecked(bool checked) override;
    void setHelpImage(int image) override;
    void closeWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_title = nullptr;
    QLabel* m_help = nullptr;
    std::array<QWidget*, 3> m_frames{};
    std::array<QLabel*, 3> m_stepTitles{};
    QLineEdit* m_name = nullptr;
    QCheckBox* m_default = nullptr;
    QPushButton* m_button = nullptr;
    CreateProfileWizardLogic m_logic;
};

} // namespace kelvo
