#pragma once

#include "services/http_client.h"

#include <deque>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Answers posts with scripted replies in order (the empty text, a failed
/// request, once they run out) and records every post.
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

    std::deque<std::string> replies;
    std::vector<Post> posts;
};

} // namespace kelvo::fakes
