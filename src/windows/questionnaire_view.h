#pragma once

namespace kelvo {

/// The questionnaire prompt frmTakeSurvey as its logic sees it.
class QuestionnaireView {
public:
    virtual ~QuestionnaireView() = default;

    /// Shows the prompt, modeless. A prompt that was not open starts its
    /// repeating timer afresh; showing an open one again leaves its timer.
    virtual void showPrompt() = 0;
    /// Closes the prompt and stops its timer; nothing when it is not open.
    virtual void closePrompt() = 0;
};

} // namespace kelvo
