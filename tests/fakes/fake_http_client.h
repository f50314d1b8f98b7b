#pragma once

#include "services/http_client.h"

#include <deque>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Answers posts with scripted replies in order (the empty text, a failed
/// request, once they run out) and records every post. `post` takes the
/// scripted outcomes first, then the plain replies as answers.
class FakeHttpClient : public HttpClient {
public:
    struct Post {
        std::string address;
        std::string formText;
    };

    std::string httpPost(std::string_view address, std::string_view formText) override {
        posts.push_back({std::string(address), std::string(formText)});
        if (replies.empty()) {
            return {};
        }
        std::string reply = std::move(replies.front());
        replies.pop_front();
        return reply;
    }

    HttpReply post(std::string_view address, std::string_view formText, std::stop_token) override {
        if (outcomes.empty()) {
            const bool scripted = !replies.empty();
            HttpReply reply;
            reply.body = httpPost(address, formText);
            reply.outcome = scripted ? HttpOutcome::Answered : HttpOutcome::Unreachable;
            reply.status = scripted ? 200 : 0;
            return reply;
        }
        posts.push_back({std::string(address), std::string(formText)});
        HttpReply reply = std::move(outcomes.front());
        outcomes.pop_front();
        return reply;
    }

    /// An answered reply with that body.
    static HttpReply answer(std::string body) {
        return HttpReply{200, std::move(body), {}, HttpOutcome::Answered};
    }
    static HttpReply unreachable() { return HttpReply{0, {}, "down", HttpOutcome::Unreachable}; }
    static HttpReply failed(long status) {
        return HttpReply{status, {}, "status", HttpOutcome::Failed};
    }

    std::deque<std::string> replies;
    std::deque<HttpReply> outcomes;
    std::vector<Post> posts;
};

} // namespace kelvo::fakes
