#pragma once

#include "services/app_control.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records what the services asked of the program, in order.
class FakeAppControl : public AppControl {
public:
    void pumpEvents() override { calls.push_back("pump"); }
    void backupCustomStore() override { calls.push_back("backup"); }
    bool questionnaireTakesOverQuit() override {
        calls.push_back("questionnaire");
        return questionnaireTakesOver;
    }
    void quitProgram() override { calls.push_back("quit"); }
    void endProgramNow() override { calls.push_back("end"); }
    void shutdownComputer(int delaySeconds, const std::string& comment) override {
        calls.push_back("shutdown " + std::to_string(delaySeconds) + " " + comment);
    }

    std::vector<std::string> calls;
    bool questionnaireTakesOver = false;
};

} // namespace kelvo::fakes
