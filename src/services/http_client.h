#pragma once

#include <stop_token>
#include <string>
#include <string_view>

namespace kelvo {

/// How a request ended.
enum class HttpOutcome {
    /// A 2xx answer came whole; its body may be empty.
    Answered,
    /// The service could not be reached in time (refused, no route, name
    /// unknown, time-out): later requests of the same run would fare alike.
    Unreachable,
    /// The service answered, but not usably: a status other than 2xx, a cut
    /// or oversized body, an address that is not http(s), or a cancel.
    Failed,
};

/// A reply with its status code.
struct HttpReply {
    /// The HTTP status; 0 when no reply arrived.
    long status = 0;
    std::string body;
    /// Why no reply arrived, for the log.
    std::string failure;
    HttpOutcome outcome = HttpOutcome::Failed;

    bool answered() const { return outcome == HttpOutcome::Answered; }
};

/// Synchronous requests to the program's web service.
class HttpClient {
public:
    virtual ~HttpClient() = default;

    /// Posts formText as "application/x-www-form-urlencoded" to address and
    /// waits for the reply. Returns the reply body (it may be binary). Any
    /// failure (no connection, time-out, a status other than 2xx) returns
    /// the empty text and shows nothing.
    virtual std::string httpPost(std::string_view address, std::string_view formText) = 0;

    /// Posts as httpPost does but returns the reply whatever its status.
    /// This default knows only httpPost: status 200 with its body, or 0
    /// when that is empty.
    virtual HttpReply postForReply(std::string_view address, std::string_view formText) {
        HttpReply reply;
        reply.body = httpPost(address, formText);
        reply.status = reply.body.empty() ? 0 : 200;
        reply.outcome = reply.body.empty() ? HttpOutcome::Failed : HttpOutcome::Answered;
        return reply;
    }

    /// Posts as httpPost does, telling how it ended; only an Answered reply
    /// carries a body. A stop requested through stop ends a request under
    /// way as Failed. This default knows only postForReply.
    virtual HttpReply post(std::string_view address, std::string_view formText,
                           std::stop_token stop = {}) {
        (void)stop;
        HttpReply reply = postForReply(address, formText);
        if (reply.status < 200 || reply.status > 299) {
            reply.body.clear();
            reply.outcome = HttpOutcome::Failed;
        } else {
            reply.outcome = HttpOutcome::Answered;
        }
        return reply;
    }
};

/// Stands in when no HTTP library could be set up: nothing is reachable.
class NoHttpClient final : public HttpClient {
public:
    std::string httpPost(std::string_view, std::string_view) override { return {}; }
    HttpReply postForReply(std::string_view, std::string_view) override {
        return HttpReply{0, {}, "no HTTP library", HttpOutcome::Unreachable};
    }
    HttpReply post(std::string_view, std::string_view, std::stop_token) override {
        return postForReply({}, {});
    }
};

} // namespace kelvo
