#include "services/curl_http_client.h"

#include <curl/curl.h>

namespace kelvo {

namespace {

struct Reply {
    std::string body;
    size_t limit = 0;
    bool tooLarge = false;
};

size_t collect(char* data, size_t size, size_t count, void* userdata) {
    auto* reply = static_cast<Reply*>(userdata);
    const size_t bytes = size * count;
    if (reply->body.size() + bytes > reply->limit) {
        reply->tooLarge = true;
        return 0; // makes curl stop with a write error
    }
    reply->body.append(data, bytes);
    return bytes;
}

struct EasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

int stopWhenAsked(void* userdata, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::stop_token*>(userdata)->stop_requested() ? 1 : 0;
}

// Failures that say the service is not there (or too slow to count as
// there), as opposed to one that answered badly.
bool unreachable(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
        return true;
    default:
        return false;
    }
}

} // namespace

Result<std::unique_ptr<CurlHttpClient>> CurlHttpClient::create(HttpLimits limits) {
    const CURLcode code = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (code != CURLE_OK) {
        return Status::failure(static_cast<int>(code),
                               std::string("cannot set up HTTP: ") + curl_easy_strerror(code));
    }
    return std::unique_ptr<CurlHttpClient>(new CurlHttpClient(limits));
}

CurlHttpClient::~CurlHttpClient() {
    curl_global_cleanup();
}

std::string CurlHttpClient::httpPost(std::string_view address, std::string_view formText) {
    HttpReply reply = postForReply(address, formText);
    // An error page is no reply: it must never be saved as a fetched file.
    if (reply.status < 200 || reply.status > 299) {
        m_lastFailure =
            reply.status == 0 ? reply.failure : "HTTP status " + std::to_string(reply.status);
        return {};
    }
    m_lastFailure.clear();
    return std::move(reply.body);
}

HttpReply CurlHttpClient::postForReply(std::string_view address, std::string_view formText) {
    return perform(address, formText, {});
}

HttpReply CurlHttpClient::post(std::string_view address, std::string_view formText,
                               std::stop_token stop) {
    HttpReply reply = perform(address, formText, stop);
    if (reply.answered() && (reply.status < 200 || reply.status > 299)) {
        reply.outcome = HttpOutcome::Failed;
        reply.failure = "HTTP status " + std::to_string(reply.status);
        reply.body.clear();
    }
    return reply;
}

HttpReply CurlHttpClient::perform(std::string_view address, std::string_view formText,
                                  std::stop_token stop) {
    HttpReply result;
    std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    std::unique_ptr<curl_slist, ListDeleter> headers(
        curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded"));
    if (!curl || !headers) {
        result.failure = "cannot start a request";
        return result;
    }
    const std::string url(address);
    Reply reply;
    reply.limit = m_limits.maxReplyBytes;
    CURL* const h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, formText.data());
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(formText.size()));
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(m_limits.connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(m_limits.totalTimeout.count()));
    // Signals would disturb the program's other threads.
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &reply);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, stopWhenAsked);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &stop);

    const CURLcode code = curl_easy_perform(h);
    if (code != CURLE_OK) {
        result.outcome = unreachable(code) ? HttpOutcome::Unreachable : HttpOutcome::Failed;
        result.failure = reply.tooLarge ? "reply too large" : curl_easy_strerror(code);
        return result;
    }
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &result.status);
    result.outcome = HttpOutcome::Answered;
    result.body = std::move(reply.body);
    return result;
}

} // namespace kelvo
