#pragma once

#include <string>

namespace kelvo {

/// The voice interpreters of the integrations, as the dispatcher offers a
/// phrase to them. They compare the plain phrase text, case included.
class PhraseInterpreters {
public:
    virtual ~PhraseInterpreters() = default;

    /// The music interpreter; true when it took the phrase (the road ends).
    virtual bool checkMusic(const std::string& phrase) = 0;

    /// The social-page interpreter; true when it took the phrase.
    virtual bool goSocialNetworkPage(const std::string& phrase) = 0;

    /// The bookmark search; the road goes on whatever it did.
    virtual void searchBookmarks(const std::string& phrase) = 0;

    /// Logs in to the social site ("myspace", "facebook").
    virtual void login(const std::string& site) = 0;

    /// Forgets a second step waiting for its words (a music search, volume
    /// or playlist; a bookmark search): the commands listen again, so the
    /// next phrase is a command.
    virtual void forgetPendingSteps() {}
};

/// Interpreters that take no phrase, until the integrations exist.
class NoInterpreters final : public PhraseInterpreters {
public:
    bool checkMusic(const std::string&) override { return false; }
    bool goSocialNetworkPage(const std::string&) override { return false; }
    void searchBookmarks(const std::string&) override {}
    void login(const std::string&) override {}
};

} // namespace kelvo
