#pragma once

#include "platform/shell.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records what was opened and started, in order, and answers with a
/// result the test chooses.
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

    std::vector<Call> calls;
    int result = shell_result::kStarted;
};

} // namespace kelvo::fakes
