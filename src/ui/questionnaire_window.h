#pragma once

#include "windows/questionnaire_view.h"

#include <QWidget>

class QTimer;

namespace kelvo {

class QuestionnaireLogic;

/// The questionnaire prompt frmTakeSurvey: three texts, Yes, Later and
/// Never, and Timer1. Behaviour lives in QuestionnaireLogic; this class only
/// shows and forwards.
class QuestionnaireWindow final : public QWidget, public QuestionnaireView {
    Q_OBJECT

public:
    QuestionnaireWindow();

    /// Where clicks and ticks go; set once, before the prompt is shown.
    void setLogic(QuestionnaireLogic* logic) { m_logic = logic; }

    void showPrompt() override;
    void closePrompt() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QuestionnaireLogic* m_logic = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace kelvo
