#include "startup/content_update.h"

#include "platform/atomic_file.h"
#include "services/date_parsing.h"
#include "services/hex_coding.h"
#include "speech/clash_renaming.h"
#include "speech/command_catalogue.h"
#include "speech/grammar_rules.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

// The service's body for "nothing for this key".
constexpr size_t kNothingBodyBytes = 6;

std::optional<std::vector<unsigned long>> versionNumbers(std::string_view text) {
    std::vector<unsigned long> numbers;
    size_t start = 0;
    while (true) {
        const size_t dot = text.find('.', start);
        const std::string_view part = text.substr(start, dot - start);
        unsigned long value = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || error != std::errc() || end != part.data() + part.size()) {
            return std::nullopt;
        }
        numbers.push_back(value);
        if (dot == std::string_view::npos) {
            return numbers;
        }
        start = dot + 1;
    }
}

// An error page sent with a success status is no file either.
bool looksLikePage(std::string_view body) {
    const size_t first = body.find_first_not_of(" \t\r\n");
    std::string head(body.substr(first == std::string_view::npos ? body.size() : first, 14));
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return head.starts_with("<html") || head.starts_with("<!doctype html");
}

// The file of an update type is what the program will read it as.
bool isWhatTheTypeMustBe(std::string_view type, const std::string& body) {
    // The same checks the start-up makes: a file saved here is never one the
    // next start finds damaged.
    if (type == "corewebcomm") {
        return isWholeCatalogue(body);
    }
    if (type == "grammarxml") {
        return isWholeGrammar(body);
    }
    return true;
}

} // namespace

std::chrono::year_month_day localDate(const Clock& clock) {
    const LocalDateTime now = clock.localNow();
    return std::chrono::year_month_day{std::chrono::year(now.year),
                                       std::chrono::month(static_cast<unsigned>(now.month)),
                                       std::chrono::day(static_cast<unsigned>(now.day))};
}

bool isNewerVersion(std::string_view serverVersion, std::string_view ours) {
    const auto theirs = versionNumbers(serverVersion);
    const auto mine = versionNumbers(ours);
    if (!theirs || !mine) {
        return false;
    }
    // Missing parts count as 0: "2.7.0" is no newer than "2.7".
    const size_t parts = std::max(theirs->size(), mine->size());
    for (size_t i = 0; i < parts; ++i) {
        const unsigned long a = i < theirs->size() ? (*theirs)[i] : 0;
        const unsigned long b = i < mine->size() ? (*mine)[i] : 0;
        if (a != b) {
            return a > b;
        }
    }
    return false;
}

std::optional<std::string> ContentUpdate::fetch(std::string_view path, const std::string& form,
                                                std::string_view what) {
    if (m_unreachable) {
        return std::nullopt;
    }
    HttpReply reply = m_p.http.post(serviceAddress(m_p.serverBase, path), form);
    if (reply.outcome == HttpOutcome::Unreachable) {
        // Every later request would wait as long for nothing.
        m_unreachable = true;
        std::fprintf(stderr, "kelvo: content service unreachable, update skipped: %s\n",
                     reply.failure.c_str());
        return std::nullopt;
    }
    if (!reply.answered() || reply.body.empty()) {
        m_fileNotSent = true;
        std::fprintf(stderr, "kelvo: %.*s not updated: %s\n", static_cast<int>(what.size()),
                     what.data(), reply.answered() ? "empty answer" : reply.failure.c_str());
        return std::nullopt;
    }
    return std::move(reply.body);
}

bool ContentUpdate::downloadUpdateFile(const UserRecord& user, const fs::path& target,
                                       std::string_view kind) {
    const std::string_view path = kind == "xml" ? kUpdateFilePath : kOtherUpdateFilePath;
    auto body = fetch(path, downloadForm(user, true), user.type);
    if (!body || body->find("<html") != std::string::npos) {
        return false;
    }
    if (kind == "xml" && !isWhatTheTypeMustBe(user.type, *body)) {
        m_fileNotSent = true;
        std::fprintf(stderr, "kelvo: %s not updated: the file sent is not one\n",
                     user.type.c_str());
        return false;
    }
    if (Status saved = writeFileAtomically(target, *body); !saved) {
        saveFailed(saved.message());
        return false;
    }
    return true;
}

// A full or read-only disk is the user's to mend, not a fault of the
// program: the update fails and says so in its window, and the close-down
// goes on.
void ContentUpdate::saveFailed(const std::string& why) {
    m_fileNotSaved = true;
    std::fprintf(stderr, "kelvo: update not saved: %s\n", why.c_str());
}

void ContentUpdate::downloadOtherUpdateFile(std::string_view key,
                                            std::chrono::sys_seconds serverDate,
                                            std::string_view fileName) {
    const std::string stored = m_p.settings.readIni("Etowah", key, "abcdefg", 50);
    if (auto date = tryParseDateTime(stored); date && *date == serverDate) {
        return;
    }
    UserRecord user = m_p.exchange.userRecord;
    user.type = std::string(key);
    auto body = fetch(kOtherUpdateFilePath, downloadForm(user, false), key);
    if (!body || body->size() == kNothingBodyBytes) {
        return;
    }
    if (looksLikePage(*body)) {
        m_fileNotSent = true;
        std::fprintf(stderr, "kelvo: %.*s not updated: a page came instead\n",
                     static_cast<int>(key.size()), key.data());
        return;
    }
    if (Status saved = writeFileAtomically(m_p.files.dataFolder / fs::path(fileName), *body);
        !saved) {
        saveFailed(saved.message());
        return;
    }
    m_p.settings.writeIni("Etowah", key, dateTimeText(serverDate));
}

bool ContentUpdate::commandFilesChanged() const {
    const StartupReply& reply = m_p.exchange.reply;
    const auto same = [this](const char* key, std::chrono::sys_seconds serverDate) {
        auto stored = tryParseDateTime(m_p.settings.readIni("Etowah", key, "abcdefg", 50));
        return stored && *stored == serverDate;
    };
    return !same("CmdFileDate", reply.cmdFileDate) ||
           !same("CmdFileDateClient", reply.cmdFileDateClient);
}

// The grammar and the catalogue belong together: both are fetched before
// either replaces its old file, so a failed one never leaves a grammar
// whose phrases the catalogue lacks.
void ContentUpdate::updateCommandFiles() {
    UserRecord& user = m_p.exchange.userRecord;
    const fs::path grammar = m_p.files.grammar();
    const fs::path catalogue = m_p.files.catalogue();
    const fs::path newGrammar = grammar.string() + ".update";
    const fs::path newCatalogue = catalogue.string() + ".update";
    user.type = "grammarxml";
    const bool grammarCame = downloadUpdateFile(user, newGrammar, "xml");
    user.type = "corewebcomm";
    const bool catalogueCame = downloadUpdateFile(user, newCatalogue, "xml");
    std::error_code ec;
    bool replaced = false;
    if (grammarCame && catalogueCame) {
        fs::rename(newGrammar, grammar, ec);
        if (!ec) {
            fs::rename(newCatalogue, catalogue, ec);
        }
        replaced = !ec;
        // Stamped only with both in place, so a pair left half done is
        // fetched again.
        if (replaced) {
            m_p.settings.writeIni("Etowah", "CmdfileDate",
                                  dateTimeText(m_p.exchange.reply.cmdFileDate));
        } else {
            saveFailed("cannot replace the command files: " + ec.message());
        }
    }
    fs::remove(newGrammar, ec);
    fs::remove(newCatalogue, ec);
    // Only a new catalogue can bring phrases that clash.
    if (replaced) {
        renameClashingCustomCommands(m_p.files, m_p.errors, m_p.conflicts);
    }
}

void ContentUpdate::updateOtherFiles() {
    const auto& files = m_p.exchange.reply.otherFiles;
    for (size_t i = 0; i < files.size(); ++i) {
        downloadOtherUpdateFile(files[i].key, files[i].serverDate, files[i].file);
        // After the fourth file, then after each coupon.
        const int progress = i == 3 ? 50 : i == 6 ? 60 : i == 9 ? 70 : i == 12 ? 80 : 0;
        if (progress != 0) {
            m_p.window.progress(progress);
            m_p.control.pumpEvents();
        }
    }
}

void ContentUpdate::run() {
    m_p.window.connecting();
    m_p.control.pumpEvents();
    m_p.window.checking();
    m_p.control.pumpEvents();
    m_p.window.downloading();
    m_p.control.pumpEvents();
    if (commandFilesChanged()) {
        updateCommandFiles();
    }
    updateOtherFiles();
    for (size_t k = 0; k < 4; ++k) {
        const ReplyAdPane& pane = m_p.exchange.reply.adPane[k];
        m_p.settings.writeIni("Cpn", "Cp" + std::to_string(k + 1),
                              stringToHex(pane.showFlag + "|" + pane.location));
    }
    m_p.window.progress(90);
    m_p.control.pumpEvents();
    // An update with a file missing is not done: without the stamp the next
    // close-down tries again instead of waiting the whole interval.
    if (m_unreachable) {
        m_p.window.failed(UpdateFailure::Unreachable);
    } else if (m_fileNotSaved) {
        m_p.window.failed(UpdateFailure::FileNotSaved);
    } else if (m_fileNotSent) {
        m_p.window.failed(UpdateFailure::FileNotSent);
    } else {
        m_p.settings.writeIni("Etowah", "Last", stringToHex(shortDateText(localDate(m_p.clock))));
        m_p.window.complete();
    }
    m_p.control.pumpEvents();
    const StartupReply& reply = m_p.exchange.reply;
    if (isNewerVersion(reply.serverVersion)) {
        m_p.newVersion.showUpgradeNotice(reply.upgradeMessage, reply.upgradeLink);
    }
}

} // namespace kelvo
