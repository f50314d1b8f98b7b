#include "startup/session_log_summary.h"

#include "platform/atomic_file.h"
#include "services/text_crypto.h"

#include <charconv>
#include <optional>

namespace kelvo {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (isBlank(text.front()) || isLineEnd(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (isBlank(text.back()) || isLineEnd(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<long long> wholeNumber(std::string_view text) {
    text = trim(text);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        return text.front() == '-' ? 0 : kMaxSummaryMinutes;
    }
    if (error != std::errc()) {
        return std::nullopt;
    }
    return value;
}

struct Group {
    std::string day;
    long long minutes = 0;
    long long runs = 0;
};

void appendGroup(std::string& summary, const Group& group) {
    summary += "--";
    summary += group.day;
    summary += '-';
    summary += std::to_string(group.minutes);
    summary += '-';
    summary += std::to_string(group.runs);
}

} // namespace

std::vector<std::string> readSessionLogRecords(std::string_view text) {
    std::vector<std::string> records;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (isBlank(text[i]) || isLineEnd(text[i]) || text[i] == ',')) {
            ++i;
        }
        if (i >= text.size()) {
            break;
        }
        if (text[i] == '"') {
            const size_t close = text.find('"', i + 1);
            const size_t end = close == std::string_view::npos ? text.size() : close;
            records.emplace_back(text.substr(i + 1, end - i - 1));
            i = end + 1;
            // Whatever follows the closing quote up to the delimiter belongs
            // to no record.
            while (i < text.size() && text[i] != ',' && !isLineEnd(text[i])) {
                ++i;
            }
            continue;
        }
        size_t end = i;
        while (end < text.size() && text[end] != ',' && !isLineEnd(text[end])) {
            ++end;
        }
        const std::string_view field = trim(text.substr(i, end - i));
        if (!field.empty()) {
            records.emplace_back(field);
        }
        i = end;
    }
    return records;
}

std::string summarizeSessionRecords(const std::vector<std::string>& records,
                                    const SessionRecordDecryptor& decrypt, int& skipped) {
    skipped = 0;
    std::string summary;
    std::optional<Group> group;
    for (const std::string& record : records) {
        auto line = decrypt(record);
        if (!line) {
            ++skipped;
            continue;
        }
        const auto tab = line->find('\t');
        if (tab == std::string::npos) {
            ++skipped;
            continue;
        }
        const std::string day = line->substr(0, tab);
        std::string_view rest = std::string_view(*line).substr(tab + 1);
        rest = rest.substr(0, rest.find('\t'));
        const auto minutes = wholeNumber(rest);
        // Runs never have negative minutes: such a record is damaged.
        if (!minutes || *minutes < 0) {
            ++skipped;
            continue;
        }
        if (group && group->day != day) {
            appendGroup(summary, *group);
            group.reset();
        }
        if (!group) {
            group = Group{day, 0, 0};
        }
        // Add without passing the cap; both terms are capped, so no overflow.
        const long long add = *minutes > kMaxSummaryMinutes ? kMaxSummaryMinutes : *minutes;
        group->minutes =
            group->minutes > kMaxSummaryMinutes - add ? kMaxSummaryMinutes : group->minutes + add;
        ++group->runs;
    }
    if (group) {
        appendGroup(summary, *group);
    }
    return summary;
}

std::string summarizeSessionLog(const std::filesystem::path& logFile, DiagnosticList& diagnostics) {
    std::error_code ec;
    if (!std::filesystem::exists(logFile, ec)) {
        return {};
    }
    auto text = readWholeFile(logFile);
    if (!text) {
        diagnostics.append("session log left out of the start-up report: " +
                           text.error().message());
        return {};
    }
    int skipped = 0;
    std::string summary = summarizeSessionRecords(
        readSessionLogRecords(*text),
        [](std::string_view record) { return tryDecryptText(record, kSessionLogPassphrase); },
        skipped);
    if (skipped > 0) {
        diagnostics.append("session log: " + std::to_string(skipped) +
                           " damaged record(s) left out of the start-up report");
    }
    return summary;
}

} // namespace kelvo
