#include "integrations/bookmarks/bookmark_search.h"

#include "integrations/bookmarks/results_page.h"
#include "platform/atomic_file.h"
#include "speech/feedback.h"

namespace kelvo {

using namespace bookmarks;

namespace {

constexpr int kBeepHz = 500;
constexpr int kBeepMs = 200;
constexpr const char* kPending = "true";

Status noEngine() {
    return Status::failure(91, "the speech engine is not running");
}

} // namespace

void BookmarkSearch::searchBookmarks(const std::string& text) {
    if (text == "search bookmarks") {
        arm(false, text);
    } else if (text == "spell search bookmarks") {
        arm(true, text);
    } else if (m_p.state.bookmarkSearchPending == kPending) {
        search(text);
    }
}

void BookmarkSearch::arm(bool spelling, const std::string& text) {
    std::string shown = text;
    giveFeedback(shown, m_p.feedback);
    speech::SpeechGrammar* grammar = m_p.host.grammar();
    Status status = grammar
                        ? grammar->cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Inactive)
                        : noEngine();
    if (status) {
        // Dictated words are heard as the titles' words first: a title word
        // finds its bookmark, where the general model hears a likelier word.
        status = spelling
                     ? grammar->dictationLoad(speech::kTopicSpelling, speech::LoadOption::Static)
                     : grammar->dictationLoadVocabulary(allTitles());
    }
    if (status) {
        // Pending from the beep on: a sleep, a wake or a new or released
        // engine while events run forgets it and sets what listens, and
        // dictation must not come on over that.
        m_p.state.bookmarkSearchPending = kPending;
        m_p.host.makeBeep(kBeepHz, kBeepMs);
        m_p.app.pumpEvents();
        grammar = m_p.host.grammar();
        if (m_p.state.bookmarkSearchPending != kPending || grammar == nullptr) {
            m_p.state.bookmarkSearchPending = "false";
            return;
        }
        status = grammar->dictationSetState(speech::RuleState::Active);
    }
    if (!status) {
        m_p.errors.reportError(status.number(), status.message(), kBookmarkSearchLocation);
        m_p.state.bookmarkSearchPending = "false";
        backToCommands();
        return;
    }
    m_p.state.bookmarkSearchPending = kPending;
}

const std::vector<std::string>& BookmarkSearch::allTitles() {
    const BookmarkStores stores = m_p.stores ? m_p.stores() : BookmarkStores{};
    std::string signature = storesSignature(stores);
    if (signature == m_titlesSignature) {
        return m_titles;
    }
    const SearchFilter everything;
    m_titles.clear();
    m_titlesSignature = std::move(signature);
    for (const BrowserRead& read :
         {readFavorites(stores, everything), readFirefox(stores, everything),
          readSafari(stores, everything)}) {
        for (const Bookmark& row : read.read.rows) {
            m_titles.push_back(row.title);
        }
        // A store skipped this time may be readable the next.
        if (!read.read.problems.empty()) {
            m_titlesSignature.reset();
        }
    }
    return m_titles;
}

void BookmarkSearch::search(const std::string& text) {
    std::string shown = text;
    giveFeedback(shown, m_p.feedback);
    Status status;
    try {
        status = writeAndOpenPage(text);
    } catch (const std::exception& failure) {
        status = Status::failure(error_number::kInvalidCall, failure.what());
    }
    m_p.state.bookmarkSearchPending = "false";
    backToCommands();
    if (!status) {
        m_p.errors.reportError(status.number(), status.message(), kBookmarkSearchLocation);
    }
}

Status BookmarkSearch::writeAndOpenPage(const std::string& text) {
    const SearchFilter filter(text, true);
    const BookmarkStores stores = m_p.stores ? m_p.stores() : BookmarkStores{};
    BrowserRead favorites = readFavorites(stores, filter);
    BrowserRead firefox = readFirefox(stores, filter);
    BrowserRead safari = readSafari(stores, filter);
    for (const BrowserRead* read : {&favorites, &firefox, &safari}) {
        for (const std::string& problem : read->read.problems) {
            if (m_p.log) {
                m_p.log(problem);
            }
        }
    }
    // Internet Explorer's heading always shows, as the page always had it.
    std::vector<BrowserResults> browsers{
        {"Internet Explorer", true, std::move(favorites.read.rows)},
        {"Firefox", firefox.registered, std::move(firefox.read.rows)},
        {"Safari", safari.registered, std::move(safari.read.rows)}};

    Result<std::string> page = readWholeFile(m_p.programFolder / "bookmarks_template.html");
    if (!page) {
        return page.error();
    }
    page = buildResultsPage(*page, text, browsers);
    if (!page) {
        return page.error();
    }
    const std::filesystem::path target = m_p.dataFolder / "bookmark_results.html";
    if (Status written = writeFileAtomically(target, *page); !written) {
        return written;
    }
    return m_p.host.openUrl(target.string());
}

void BookmarkSearch::backToCommands() {
    speech::SpeechGrammar* grammar = m_p.host.grammar();
    if (grammar == nullptr) {
        return;
    }
    Status status = grammar->dictationSetState(speech::RuleState::Inactive);
    Status rules = grammar->cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Active);
    if (status && !rules) {
        status = rules;
    }
    if (!status) {
        m_p.errors.reportError(status.number(), status.message(), kBookmarkSearchLocation);
    }
}

} // namespace kelvo
