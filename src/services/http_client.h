#pragma once

#include <string>
#include <string_view>

namespace kelvo {

/// A reply with its status code.
struct HttpReply {
    /// The HTTP status; 0 when no reply arrived.
    long status = 0;
    std::string body;
    /// Why no reply arrived, for the log.
    std::string failure;
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
        return reply;
    }
};

} // namespace kelvo
