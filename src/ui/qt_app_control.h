#pragma once

#include "services/app_control.h"

#include <functional>
#include <string>
#include <vector>

namespace kelvo {

/// The running program as the services see it, on the Qt event loop. The
/// pieces that come later (close-down, store backup, questionnaire) are
/// handed in once they exist.
class QtAppControl final : public AppControl {
public:
    /// Starts a program with an argument list, never through a shell;
    /// returns true when it started.
    using StartProgram =
        std::function<bool(const std::string& program, const std::vector<std::string>& arguments)>;

    explicit QtAppControl(StartProgram startProgram);

    /// What backupCustomStore runs; nothing until set.
    void setBackupCustomStore(std::function<void()> backup);
    /// The close-down sequence quitProgram runs before the event loop ends.
    /// Until set, the close-down is the store backup alone.
    void setCloseDown(std::function<void()> closeDown);
    /// Whether the questionnaire takes over a quit; no until set.
    void setQuestionnaireCheck(std::function<bool()> check);

    void pumpEvents() override;
    void backupCustomStore() override;
    bool questionnaireTakesOverQuit() override;
    void quitProgram() override;
    void endProgramNow() override;
    void shutdownComputer(int delaySeconds, const std::string& comment) override;

    /// True once quitProgram or endProgramNow has run.
    [[nodiscard]] bool ending() const { return m_ending; }

private:
    StartProgram m_startProgram;
    std::function<void()> m_backup;
    std::function<void()> m_closeDown;
    std::function<bool()> m_questionnaireCheck;
    bool m_closingDown = false;
    bool m_ending = false;
};

} // namespace kelvo
