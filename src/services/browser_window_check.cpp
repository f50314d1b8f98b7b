#include "services/browser_window_check.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <charconv>

namespace kelvo {

namespace {

// The number of kilobytes on the line "name:   1234 kB", or -1.
long long meminfoField(std::string_view meminfo, std::string_view name) {
    size_t pos = 0;
    while (pos < meminfo.size()) {
        const size_t end = std::min(meminfo.find('\n', pos), meminfo.size());
        const std::string_view line = meminfo.substr(pos, end - pos);
        pos = end + 1;
        if (line.size() > name.size() && line.starts_with(name) && line[name.size()] == ':') {
            size_t digits = line.find_first_of("0123456789", name.size());
            if (digits == std::string_view::npos) {
                return -1;
            }
            long long value = 0;
            const auto [ptr, ec] =
                std::from_chars(line.data() + digits, line.data() + line.size(), value);
            return ec == std::errc() ? value : -1;
        }
    }
    return -1;
}

} // namespace

std::vector<std::string> tooManyWindowsMessages(int windowCount, int memoryLoadPercent) {
    if (windowCount < 10) {
        return {};
    }
    if (windowCount <= 15) {
        return {"Your browser may have too many windows and/or tabs open."
                " We recommend that you close a few tabs or windows to improve your computer's"
                " performance and reduce the amount of memory being used by the browser."};
    }
    if (windowCount <= 25) {
        return {"We *highly* recommend that you close a few browser tabs or browser windows."
                "  The browser is using too much memory.",
                "We *highly* recommend that you close a few browser tabs or windows. The browser "
                "is using too much memory."};
    }
    return {"Your machine is using " + std::to_string(memoryLoadPercent) +
            "% of it's memory. To improve the performance of your browser and operating system,"
            " please close a few browser tabs or browser windows to free up some memory."};
}

void runBrowserWindowCheck(const BrowserWindowCheck& check) {
    const int count = check.countBrowserWindows ? check.countBrowserWindows() : 0;
    if (count < 10 || !check.giveFeedbackTooManyTabs) {
        return;
    }
    const int load = count > 25 && check.memoryLoadPercent ? check.memoryLoadPercent() : 0;
    for (const auto& message : tooManyWindowsMessages(count, load)) {
        check.giveFeedbackTooManyTabs(message);
    }
}

int memoryLoadFromMeminfo(std::string_view meminfo) {
    const long long total = meminfoField(meminfo, "MemTotal");
    const long long available = meminfoField(meminfo, "MemAvailable");
    if (total <= 0 || available < 0 || available > total) {
        return 0;
    }
    return static_cast<int>(((total - available) * 100 + total / 2) / total);
}

int linuxMemoryLoadPercent() {
    auto meminfo = readWholeFile("/proc/meminfo");
    return meminfo ? memoryLoadFromMeminfo(*meminfo) : 0;
}

} // namespace kelvo
