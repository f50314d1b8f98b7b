#pragma once

#include "platform/shell.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records what was opened and started, in order, and answers with a
/// result the test chooses. A watched program runs until the test ends it.
class FakeShell : public Shell {
public:
    struct Call {
        std::string kind; // "open" or "start"
        std::string target;
        std::vector<std::string> arguments;
    };

    int openDocument(const std::string& target) override {
        calls.push_back({"open", target, {}});
        return result;
    }

    int startProgram(const std::string& program,
                     const std::vector<std::string>& arguments) override {
        calls.push_back({"start", program, arguments});
        return result;
    }

    StartedProgram startWatchedProgram(const std::string& program,
                                       const std::vector<std::string>& arguments) override {
        const int started = startProgram(program, arguments);
        if (!shellSucceeded(started)) {
            return {started, {}};
        }
        runs.push_back(std::make_shared<std::atomic<bool>>(true));
        return {started, ProgramRun(runs.back())};
    }

    /// Ends the process of the nth watched program started.
    void endRun(size_t index) { runs.at(index)->store(false); }

    std::vector<Call> calls;
    std::vector<std::shared_ptr<std::atomic<bool>>> runs;
    int result = shell_result::kStarted;
};

} // namespace kelvo::fakes
