#include "services/process_services.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <unistd.h>

namespace kelvo {

namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

} // namespace

int killProcess(ProcessTable& processes, std::string_view executableName) {
    if (executableName.empty()) {
        return 0;
    }
    const std::string wanted = lowerCase(executableName);
    const pid_t self = ::getpid();
    int ended = 0;
    for (const auto& process : processes.listOwnProcesses()) {
        // The table leaves the program out already; this keeps it so.
        if (process.pid != self && lowerCase(process.executableName).ends_with(wanted) &&
            processes.terminate(process.pid)) {
            ++ended;
        }
    }
    return ended;
}

} // namespace kelvo
