#pragma once

#include "windows/microphone_setup_view.h"

#include <QDialog>

#include <map>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kelvo {

class MicrophoneSetupLogic;

/// Draws the microphone set-up; behaviour lives in MicrophoneSetupLogic.
class MicrophoneSetupWindow final : public QDialog, public MicrophoneSetupView {
    Q_OBJECT

public:
    MicrophoneSetupWindow();
    void setLogic(MicrophoneSetupLogic* logic) { m_logic = logic; }

    void setTitle(const std::string& title) override;
    void setSources(const std::vector<std::string>& names, int selected) override;
    void setLevel(double level) override;
    void setTestPhrase(const std::string& phrase) override;
    void setStatus(const std::string& text) override;
    void setButtonEnabled(Button button, bool enabled) override;
    void closeWindow() override;

protected:
    void reject() override;

private:
    MicrophoneSetupLogic* m_logic = nullptr;
    QComboBox* m_sources = nullptr;
    QProgressBar* m_level = nullptr;
    QLabel* m_phrase = nullptr;
    QLabel* m_status = nullptr;
    std::map<Button, QPushButton*> m_buttons;
    bool m_filling = false;
    bool m_closing = false;
};

} // namespace kelvo
