#pragma once

#include <string>

namespace kelvo {

/// What the services ask of the running program as a whole. The startup
/// layer implements it once the program's pieces exist; tests use a fake.
class AppControl {
public:
    virtual ~AppControl() = default;

    /// Lets window, timer and speech events that are waiting run now.
    virtual void pumpEvents() = 0;

    /// Copies the custom-command store to its backup in the documents folder.
    virtual void backupCustomStore() = 0;

    /// True when the questionnaire prompt takes over the quit (it then ends
    /// the program itself).
    virtual bool questionnaireTakesOverQuit() = 0;

    /// Runs the close-down sequence and ends the program. Never re-entered:
    /// a second call while one runs does nothing.
    virtual void quitProgram() = 0;

    /// Ends the program at once, without the close-down (runtime-error OK).
    virtual void endProgramNow() = 0;

    /// Powers the computer off once delaySeconds have passed, giving the
    /// user that long to save; comment says why (the desktop's own record
    /// of the power-off carries it).
    virtual void shutdownComputer(int delaySeconds, const std::string& comment) = 0;
};

} // namespace kelvo
