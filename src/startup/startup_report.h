#pragma once

#include "services/http_client.h"
#include "services/settings_file.h"
#include "startup/exchange_state.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kelvo {

/// The start-up report and its reply. The request runs on a thread of its
/// own, so a service that is down or slow never holds up the start or the
/// first paint of the main window; the reply is taken in on the UI thread:
/// at once when it came before the start-up asks for it, else as soon as it
/// comes.
class StartupReport {
public:
    /// Hands a task to the UI thread; it runs after the current handler.
    using PostToUi = std::function<void(std::function<void()>)>;

    StartupReport(ExchangeState& state, HttpClient& client, PostToUi postToUi);
    /// Stops a request still under way and waits for its thread.
    ~StartupReport();
    StartupReport(const StartupReport&) = delete;
    StartupReport& operator=(const StartupReport&) = delete;

    /// Runs after a reply was taken in later than the start-up asked for
    /// it: what was shown from the old settings can follow the new ones.
    void setLateReplyHandler(std::function<void()> handler);

    /// Fills the user record the report and the downloads send.
    void prepare(const SettingsFile& settings);

    /// Posts the report to the service at serverBase, with the session-log
    /// summary, and returns at once. Without an address nothing is sent.
    /// The settings file must outlive this object.
    void send(const std::string& serverBase, const std::string& sessionSummary,
              SettingsFile& settings);

    /// Takes in the reply when it has come. A reply that is not usable or
    /// not well formed counts as none: nothing is written, replyOk stays
    /// false. Later calls do nothing. Returns true once taken in (or when
    /// there was nothing to wait for).
    bool takeIn();

    /// Ends the report for the close-down: a request still under way is
    /// stopped (its reply counts as none) and a reply that came is taken in.
    void settle();

    /// True while a request is under way or its reply not yet taken in.
    bool pending() const;

private:
    void takeInNow(HttpReply reply);

    ExchangeState& m_state;
    HttpClient& m_client;
    PostToUi m_postToUi;
    std::function<void()> m_lateReplyHandler;
    SettingsFile* m_settings = nullptr;
    mutable std::mutex m_mutex;
    std::optional<HttpReply> m_reply; // guarded by m_mutex
    bool m_sent = false;
    bool m_takenIn = false;
    bool m_askedFor = false;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    std::jthread m_worker;
};

} // namespace kelvo
