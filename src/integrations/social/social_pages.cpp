#include "integrations/social/social_pages.h"

#include "speech/command_counter.h"
#include "speech/feedback.h"

#include <array>

namespace kelvo {

namespace {

constexpr std::string_view kFacebook = "www.facebook.com";

constexpr std::array<SocialPage, 28> kPages = {{
    {"facebook", "help", "help", kFacebook, "/help.php"},
    {"facebook", "home", "home", kFacebook, "/home.php?"},
    {"facebook", "profile", "profile", kFacebook, "/profile.php"},
    {"facebook", "edit", "edit", kFacebook, "/editprofile.php"},
    {"facebook", "friends", "friends", kFacebook, "/friends/"},
    {"facebook", "networks", "networks", kFacebook, "/networks/"},
    {"facebook", "inbox", "inbox", kFacebook, "/inbox/"},
    {"facebook", "photos", "photos", kFacebook, "/photos.php?ref=sb"},
    {"facebook", "groups", "groups", kFacebook, "/groups.php?ref=sb"},
    {"facebook", "events", "events", kFacebook, "/events.php?ref=sb"},
    {"facebook", "marketplace", "marketplace", kFacebook, "/marketplace/?ref=sb"},
    {"myspace", "home", "home", "home.myspace.com", "/index.cfm?fuseaction=user"},
    {"myspace", "browse", "browse", "browseusers.myspace.com", "/Browse/Browse.aspx?z=1"},
    {"myspace", "mail", "mail", "messaging.myspace.com", "/index.cfm?fuseaction=mail.inbox"},
    {"myspace", "blogs", "blogs", "blog.myspace.com", "/index.cfm?fuseaction=blog.controlcenter"},
    {"myspace", "favorites", "favorites", "favorites.myspace.com",
     "/index.cfm?fuseaction=user.favorites"},
    {"myspace", "forums", "forums", "forums.myspace.com", "/?fuseaction=forums.home"},
    {"myspace", "groups", "groups", "groups.myspace.com",
     "/index.cfm?fuseaction=groups.categories"},
    {"myspace", "film", "film", "www.myspace.com", "/index.cfm?fuseaction=film"},
    {"myspace", "TV", "tv", "vids.myspace.com", "/"},
    {"myspace", "music home", "music home", "profile.myspace.com", "/index.cfm?fuseaction=music"},
    {"myspace", "music forum", "music forum", "forums.myspace.com",
     "/s/4.aspx?fuseaction=forums.viewsubforum"},
    {"myspace", "music shows", "music shows", "music.myspace.com",
     "/index.cfm?fuseaction=music.shows"},
    {"myspace", "invite", "invite", "invites.myspace.com", "/index.cfm?fuseaction=invite"},
    {"myspace", "events", "events", "events.myspace.com", "/index.cfm?fuseaction=events"},
    {"myspace", "comedy", "comedy", "comedy.myspace.com", "/"},
    {"myspace", "classifieds", "classifieds", "classifieds.myspace.com",
     "/index.cfm?fuseaction=classifieds"},
    {"myspace", "help", "help", "www.myspace.com", "/index.cfm?fuseaction=misc.faq"},
}};

} // namespace

std::span<const SocialPage> socialPageTable() {
    return kPages;
}

std::string socialPagePhrase(const SocialPage& page, bool secondSpelling) {
    std::string site(page.site);
    if (secondSpelling) {
        // "face book", "my space": the site's name split after its first word.
        site.insert(page.site == "facebook" ? 4 : 2, " ");
    }
    return "go " + site + " " + std::string(page.word);
}

std::string socialPageAddress(const SocialPage& page) {
    return "http://" + std::string(page.host) + std::string(page.path);
}

SocialPages::SocialPages(SpeechState& speech, FeedbackPort& feedback, DispatchHost& host)
    : m_speech(speech), m_feedback(feedback), m_host(host) {}

bool SocialPages::goSocialNetworkPage(const std::string& text) {
    for (const SocialPage& page : kPages) {
        if (text != socialPagePhrase(page, false) && text != socialPagePhrase(page, true)) {
            continue;
        }
        countCommand(m_speech);
        std::string shown = "go " + std::string(page.site) + " " + std::string(page.shownWord);
        giveFeedback(shown, m_feedback);
        // The browser's fate of the page is its own: the phrase was taken.
        (void)m_host.openUrl(socialPageAddress(page));
        return true;
    }
    return false;
}

} // namespace kelvo
