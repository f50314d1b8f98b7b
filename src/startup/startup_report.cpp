#include "startup/startup_report.h"

#include <cstdio>
#include <utility>

namespace kelvo {

StartupReport::StartupReport(ExchangeState& state, HttpClient& client, PostToUi postToUi)
    : m_state(state), m_client(client), m_postToUi(std::move(postToUi)) {}

StartupReport::~StartupReport() {
    m_worker.request_stop();
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void StartupReport::setLateReplyHandler(std::function<void()> handler) {
    m_lateReplyHandler = std::move(handler);
}

void StartupReport::prepare(const SettingsFile& settings) {
    m_state.userRecord = fillUserRecord(settings);
}

void StartupReport::send(const std::string& serverBase, const std::string& sessionSummary,
                         SettingsFile& settings) {
    if (m_sent || serverBase.empty()) {
        return;
    }
    m_sent = true;
    m_settings = &settings;
    const std::string address = serviceAddress(serverBase, kReportPath);
    const std::string form = startupReportForm(m_state.userRecord, sessionSummary);
    std::weak_ptr<int> alive = m_alive;
    m_worker = std::jthread([this, address, form, alive](std::stop_token stop) {
        HttpReply reply = m_client.post(address, form, stop);
        {
            std::lock_guard lock(m_mutex);
            m_reply = std::move(reply);
        }
        // Taken in on the UI thread, unless this object is gone by then.
        m_postToUi([this, alive] {
            if (alive.lock()) {
                takeIn();
            }
        });
    });
}

bool StartupReport::takeIn() {
    const bool late = m_askedFor;
    m_askedFor = true;
    if (m_takenIn || !m_sent) {
        return true;
    }
    std::optional<HttpReply> reply;
    {
        std::lock_guard lock(m_mutex);
        reply = std::move(m_reply);
        m_reply.reset();
    }
    if (!reply) {
        return false;
    }
    takeInNow(std::move(*reply));
    if (late && m_state.replyOk && m_lateReplyHandler) {
        m_lateReplyHandler();
    }
    return true;
}

void StartupReport::takeInNow(HttpReply reply) {
    m_takenIn = true;
    if (!reply.answered()) {
        std::fprintf(stderr, "kelvo: no reply to the start-up report: %s\n", reply.failure.c_str());
        return;
    }
    m_state.replyText = std::move(reply.body);
    auto parsed = parseStartupReply(m_state.replyText);
    if (!parsed) {
        std::fprintf(stderr, "kelvo: start-up reply not used: %s\n",
                     parsed.error().message().c_str());
        return;
    }
    m_state.reply = std::move(parsed).value();
    takeInStartupReply(m_state.reply, *m_settings);
    m_state.questionnaire = {m_state.reply.surveyState, m_state.reply.surveyDate};
    m_state.replyOk = true;
}

void StartupReport::settle() {
    m_worker.request_stop();
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_askedFor = false; // the close-down has nothing left to follow the reply
    takeIn();
}

bool StartupReport::pending() const {
    return m_sent && !m_takenIn;
}

} // namespace kelvo
