#pragma once

#include "windows/voice_training_view.h"

#include <QDialog>

#include <functional>
#include <map>

class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace kelvo {

class VoiceTrainingLogic;

/// Draws the voice-training screen; behaviour lives in VoiceTrainingLogic.
class VoiceTrainingWindow final : public QDialog, public VoiceTrainingView {
    Q_OBJECT

public:
    VoiceTrainingWindow();
    void setLogic(VoiceTrainingLogic* logic) { m_logic = logic; }

    void setTitle(const std::string& title) override;
    void setPassage(const std::string& heading, const std::string& text) override;
    void setStatus(const std::string& text) override;
    void setProgress(int percent) override;
    void setLevel(double level) override;
    void setButtonEnabled(Button button, bool enabled) override;
    void closeWindow() override;

protected:
    void reject() override;

private:
    VoiceTrainingLogic* m_logic = nullptr;
    QLabel* m_heading = nullptr;
    QTextEdit* m_passage = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_level = nullptr;
    QProgressBar* m_progress = nullptr;
    std::map<Button, QPushButton*> m_buttons;
    bool m_closing = false;
};

} // namespace kelvo
