#pragma once

#include "windows/generated_page.h"
#include "windows/questionnaire_state.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace kelvo {

class AppControl;
class Clock;
class MessageBoxes;
class QuestionnaireView;
class RandomSource;
class SettingsFile;

/// Milliseconds between the prompt's timer ticks.
inline constexpr int kQuestionnaireTimerMs = 15000;

/// The questionnaire invitation: whether one is due, the prompt's buttons
/// and timer, and the page survey.html made from template.html.
class QuestionnaireLogic {
public:
    QuestionnaireLogic(QuestionnaireState& state, QuestionnaireView& view, SettingsFile& settings,
                       MessageBoxes& boxes, AppControl& app, Clock& clock, RandomSource& random,
                       OpenAddress open, std::filesystem::path programFolder,
                       std::filesystem::path dataFolder);

    /// True when a questionnaire is due, after showing the prompt. With
    /// forQuit the prompt takes over that quit: its buttons or timer end the
    /// program; a prompt opened otherwise never does.
    bool checkSurveyDue(bool forQuit);

    void yesClicked();
    void laterClicked();
    void neverClicked();
    void timerTicked();

    /// "Participate In Our Questionnaire!".
    void menuClicked();

    /// Writes and opens the page of the next questionnaire; may map the
    /// stored `Last` into state. Failures are shown in a box.
    void prepareSurvey(std::string& state, const std::string& date);

private:
    bool fewerThan30Days(const std::string& date) const;
    void continueQuit();
    std::string installationId();
    Status writePage(const std::string& stage, const std::string& id);

    QuestionnaireState& m_state;
    QuestionnaireView& m_view;
    SettingsFile& m_settings;
    MessageBoxes& m_boxes;
    AppControl& m_app;
    Clock& m_clock;
    RandomSource& m_random;
    OpenAddress m_open;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    bool m_quitPending = false;
};

/// The stage after the last completed one: "Initial", "Second", "Third" or
/// "Final".
std::string nextQuestionnaire(const std::string& state);

/// `Yazoo` `Last` as a state: the name of the last completed questionnaire
/// ("x" for none) or, as the start-up reply writes it, the state itself;
/// nothing for any other value.
std::optional<std::string> stateFromLast(const std::string& last);

} // namespace kelvo
