#pragma once

#include "platform/status.h"
#include "services/http_client.h"

#include <chrono>
#include <memory>

namespace kelvo {

/// Limits of one request, so a dead server never hangs the program.
struct HttpLimits {
    std::chrono::milliseconds connectTimeout{5'000};
    std::chrono::milliseconds totalTimeout{30'000};
    size_t maxReplyBytes = 64u << 20;
};

/// HttpClient on libcurl. Only http and https addresses are followed,
/// redirects included (at most five).
class CurlHttpClient final : public HttpClient {
public:
    /// Sets up the library; fails when it can't be initialised.
    static Result<std::unique_ptr<CurlHttpClient>> create(HttpLimits limits = {});
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    std::string httpPost(std::string_view address, std::string_view formText) override;
    HttpReply postForReply(std::string_view address, std::string_view formText) override;
    HttpReply post(std::string_view address, std::string_view formText,
                   std::stop_token stop = {}) override;

    /// Why the last request failed, for the log; empty after a success.
    const std::string& lastFailure() const { return m_lastFailure; }

private:
    explicit CurlHttpClient(HttpLimits limits) : m_limits(limits) {}
    /// One request whatever its status; outcome Answered for any status.
    HttpReply perform(std::string_view address, std::string_view formText, std::stop_token stop);

    HttpLimits m_limits;
    std::string m_lastFailure;
};

} // namespace kelvo
