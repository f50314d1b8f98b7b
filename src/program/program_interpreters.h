#pragma once

#include "speech/phrase_interpreters.h"

#include <functional>
#include <string>

namespace kelvo {

/// The interpreters of the running program: each integration fills in its
/// own; one left empty takes no phrase.
class ProgramInterpreters final : public PhraseInterpreters {
public:
    std::function<bool(const std::string&)> music;
    std::function<bool(const std::string&)> socialPages;
    std::function<void(const std::string&)> bookmarkSearch;
    std::function<void(const std::string&)> siteLogin;
    std::function<void()> forgetSteps;

    bool checkMusic(const std::string& phrase) override { return music && music(phrase); }
    bool goSocialNetworkPage(const std::string& phrase) override {
        return socialPages && socialPages(phrase);
    }
    void searchBookmarks(const std::string& phrase) override {
        if (bookmarkSearch) {
            bookmarkSearch(phrase);
        }
    }
    void login(const std::string& site) override {
        if (siteLogin) {
            siteLogin(site);
        }
    }
    void forgetPendingSteps() override {
        if (forgetSteps) {
            forgetSteps();
        }
    }
};

} // namespace kelvo
