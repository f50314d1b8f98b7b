#pragma once

#include "windows/training_notice_logic.h"

#include <QWidget>

class QLabel;
class QTimer;

namespace kelvo {

/// Draws frmTrain; behaviour lives in TrainingNoticeLogic.
class TrainingNoticeWindow final : public QWidget, public TrainingNoticeView {
    Q_OBJECT

public:
    explicit TrainingNoticeWindow(TrainingNoticeServices services);

    void setCaption(const std::string& caption) override;
    void setTexts(const std::string& question, const std::string& explanation) override;
    void startTimer(int milliseconds) override;
    void stopTimer() override;
    void closeWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_question = nullptr;
    QLabel* m_explanation = nullptr;
    QTimer* m_timer = nullptr;
    TrainingNoticeLogic m_logic;
};

} // namespace kelvo
