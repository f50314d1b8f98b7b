#pragma once

#include <string>
#include <string_view>

namespace kelvo {

/// Synchronous requests to the program's web service.
class HttpClient {
public:
    virtual ~HttpClient() = default;

    /// Posts formText as "application/x-www-form-urlencoded" to address and
    /// waits for the reply. Returns the reply body (it may be binary). Any
    /// failure (no connection, time-out, a status other than 2xx) returns
    /// the empty text and shows nothing.
    virtual std::string httpPost(std::string_view address, std::string_view formText) = 0;
};

} // namespace kelvo
