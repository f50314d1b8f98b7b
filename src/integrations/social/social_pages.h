#pragma once

#include "speech/dispatch_host.h"
#include "speech/feedback_port.h"
#include "speech/speech_state.h"

#include <span>
#include <string>
#include <string_view>

namespace kelvo {

/// One page of a social site: "go " and the site's name, then its word.
struct SocialPage {
    /// "facebook" or "myspace"; the site's second spelling splits it.
    std::string_view site;
    std::string_view word;
    /// The word as the feedback shows it.
    std::string_view shownWord;
    std::string_view host;
    std::string_view path;
};

/// The 28 pages, Facebook first, in the order they are compared.
std::span<const SocialPage> socialPageTable();

/// The phrase of a page in its first spelling ("go facebook inbox") or its
/// second ("go face book inbox").
std::string socialPagePhrase(const SocialPage& page, bool secondSpelling);

/// The page's web address.
std::string socialPageAddress(const SocialPage& page);

/// Opens the social-site page of a "go facebook ..." or "go myspace ..."
/// phrase (either spelling, exact case).
class SocialPages {
public:
    SocialPages(SpeechState& speech, FeedbackPort& feedback, DispatchHost& host);

    /// True when the phrase is one of the 56 spellings; its page was then
    /// handed to the browser. False, doing nothing, otherwise.
    bool goSocialNetworkPage(const std::string& text);

private:
    SpeechState& m_speech;
    FeedbackPort& m_feedback;
    DispatchHost& m_host;
};

} // namespace kelvo
