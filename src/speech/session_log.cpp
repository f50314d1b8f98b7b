#include "speech/session_log.h"

#include "platform/atomic_file.h"
#include "services/text_crypto.h"

#include <cstdio>
#include <system_error>

namespace kelvo {

long long sessionMinutes(std::chrono::seconds runLength) {
    const long long seconds = runLength.count();
    if (seconds < 60)
        return 1;
    long long minutes = seconds / 60;
    const long long rest = seconds % 60;
    if (rest > 30 || (rest == 30 && minutes % 2 == 1))
        ++minutes;
    return minutes;
}

std::string sessionLogLine(const CalendarDay& today, std::chrono::seconds runLength) {
    char date[16];
    std::snprintf(date, sizeof date, "%02d%02d%04d", today.month, today.day, today.year);
    return std::string(date) + "\t" + std::to_string(sessionMinutes(runLength));
}

Status sessionLog(const std::filesystem::path& dataFolder, const CalendarDay& today,
                  std::chrono::seconds runLength) {
    return sessionLog(dataFolder, today, runLength, [](std::string_view line) {
        return tryEncryptText(line, kSessionLogPassphrase);
    });
}

Status sessionLog(const std::filesystem::path& dataFolder, const Clock& clock,
                  TimePoint startTime) {
    const LocalDateTime now = clock.localNow();
    const auto runLength =
        std::chrono::duration_cast<std::chrono::seconds>(clock.now() - startTime);
    return sessionLog(dataFolder, CalendarDay{now.year, now.month, now.day}, runLength);
}

Status sessionLog(const std::filesystem::path& dataFolder, const CalendarDay& today,
                  std::chrono::seconds runLength, const SessionLogEncryptor& encrypt) {
    const auto encrypted = encrypt(sessionLogLine(today, runLength));
    if (!encrypted)
        return encrypted.error();

    const auto file = dataFolder / kSessionLogFile;
    std::string content;
    std::error_code error;
    if (std::filesystem::exists(file, error)) {
        auto old = readWholeFile(file);
        if (!old)
            return old.error();
        content = std::move(old).value();
    }
    content += '"' + *encrypted + "\"\r\n";
    return writeFileAtomically(file, content);
}

} // namespace kelvo
