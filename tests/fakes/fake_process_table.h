#pragma once

#include "platform/process_table.h"

#include <algorithm>
#include <vector>

namespace kelvo::fakes {

/// A process table the test fills; terminate() removes the process and
/// records its id.
class FakeProcessTable : public ProcessTable {
public:
    std::vector<ProcessInfo> listOwnProcesses() const override { return processes; }

    bool terminate(pid_t pid) override {
        terminated.push_back(pid);
        auto it = std::find_if(processes.begin(), processes.end(),
                               [pid](const ProcessInfo& p) { return p.pid == pid; });
        if (it == processes.end()) {
            return false;
        }
        processes.erase(it);
        return true;
    }

    std::vector<ProcessInfo> processes;
    std::vector<pid_t> terminated;
};

} // namespace kelvo::fakes
