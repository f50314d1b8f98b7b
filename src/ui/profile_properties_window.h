#pragma once

#include "windows/profile_properties_logic.h"

#include <QWidget>

class QLabel;

namespace kelvo {

/// Draws the profile-properties window. Behaviour lives in the logic; this
/// class only shows and forwards.
class ProfilePropertiesWindow final : public QWidget, public ProfilePropertiesView {
    Q_OBJECT

public:
    explicit ProfilePropertiesWindow(const ProfileWizardServices& services);

    void setDefaultProfileText(const std::string& text) override;
    void setCurrentProfileText(const std::string& text) override;
    void closeWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_default = nullptr;
    QLabel* m_current = nullptr;
    ProfilePropertiesLogic m_logic;
};

} // namespace kelvo
