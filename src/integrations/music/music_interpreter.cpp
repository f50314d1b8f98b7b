#include "integrations/music/music_interpreter.h"

#include "services/error_sink.h"
#include "speech/command_counter.h"
#include "speech/feedback.h"
#include "speech/search_address.h"
#include "speech/spoken_numbers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <exception>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

namespace kelvo {

namespace {

constexpr int kBeepHz = 500;
constexpr int kBeepMs = 200;
constexpr const char* kMusicLocation = "FmouPcit";
constexpr const char* kPlayerTitle = "Music Player";
constexpr const char* kSearchTitle = "Playlist Search";
/// The listening changed while the beep played: no words are asked for.
constexpr int kCalledOff = -1;

Status calledOff() {
    return Status::failure(kCalledOff, "the listening changed before the words were asked for");
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

struct SearchScope {
    MusicLibrary library;
    SearchField field;
};

std::optional<SearchScope> searchScope(const std::string& mode) {
    static constexpr std::pair<std::string_view, SearchScope> kScopes[] = {
        {"library+all", {MusicLibrary::All, SearchField::All}},
        {"library+spell", {MusicLibrary::All, SearchField::All}},
        {"library+artist", {MusicLibrary::All, SearchField::Artists}},
        {"library+album", {MusicLibrary::All, SearchField::Albums}},
        {"library+composer", {MusicLibrary::All, SearchField::Composers}},
        {"library+songname", {MusicLibrary::All, SearchField::SongNames}},
        {"movies+all", {MusicLibrary::Movies, SearchField::All}},
        {"tv+all", {MusicLibrary::Tv, SearchField::All}},
        {"podcasts+all", {MusicLibrary::Podcasts, SearchField::All}},
        {"radio+all", {MusicLibrary::Radio, SearchField::All}},
    };
    for (const auto& [name, scope] : kScopes) {
        if (mode == name) {
            return scope;
        }
    }
    return std::nullopt;
}

/// What the store's search page is told to look for, after the words, by
/// store search mode; nothing for other modes.
std::optional<std::string_view> storeSearchKind(const std::string& mode) {
    static constexpr std::pair<std::string_view, std::string_view> kKinds[] = {
        {"store+all", ""},
        {"store+spell", ""},
        {"store+artist", "&item_type=b"},
        {"store+album", "&item_type=a"},
        {"store+song", "&item_type=t"},
    };
    for (const auto& [name, kind] : kKinds) {
        if (mode == name) {
            return kind;
        }
    }
    return std::nullopt;
}

/// What a mode's words ask of the player; nothing for the store searches,
/// which the browser takes.
std::optional<MusicStep> stepOfMode(const std::string& mode) {
    if (searchScope(mode)) {
        return MusicStep::SearchLibrary;
    }
    if (mode == "playlist") {
        return MusicStep::FindPlaylist;
    }
    if (mode == "create+playlist" || mode == "spellcreate+playlist") {
        return MusicStep::CreatePlaylist;
    }
    if (mode == "volume") {
        return MusicStep::SetVolume;
    }
    return std::nullopt;
}

/// Busy pointer for as long as a search runs, whichever way it ends.
class BusyPointer {
public:
    explicit BusyPointer(FeedbackPort& feedback) : m_feedback(feedback) {
        m_feedback.setBusyPointer(true);
    }
    ~BusyPointer() { m_feedback.setBusyPointer(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    FeedbackPort& m_feedback;
};

} // namespace

int volumeFromWords(const std::string& words) {
    std::string text = words;
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        if (error == std::errc::result_out_of_range) {
            return text.front() == '-' ? 0 : 100;
        }
        value = wordToNumber(text);
        if (value < 0) {
            return -1;
        }
    }
    return static_cast<int>(std::clamp(value, 0L, 100L));
}

MusicInterpreter::MusicInterpreter(MusicParts parts) : m_p(parts) {}

bool MusicInterpreter::checkiTunes(const std::string& text) {
    try {
        return interpret(text);
    } catch (const std::exception& failure) {
        // Never left in dictation, nor with words pending, after a failure.
        m_p.feedback.setBusyPointer(false);
        endPendingMode();
        m_p.boxes.reportError(error_number::kInvalidCall, failure.what(), kMusicLocation);
        return true;
    }
}

bool MusicInterpreter::interpret(const std::string& text) {
    for (const OneStepMusicPhrase& row : oneStepMusicPhrases()) {
        if (text == row.phrase) {
            return runOneStep(row, text);
        }
    }
    for (const TwoStepMusicPhrase& row : twoStepMusicPhrases()) {
        if (text == row.phrase) {
            startTwoStep(row, text);
            return true;
        }
    }
    if (m_p.state.iTunesPendingMode.empty()) {
        return false;
    }
    secondStep(text);
    return true;
}

bool MusicInterpreter::runOneStep(const OneStepMusicPhrase& row, const std::string& text) {
    countCommand(m_p.speech);
    feedbackHeard(text);
    if (row.action == MusicAction::Quit) {
        // Answered false so that the road goes on with the phrase.
        if (Status quit = m_p.player.quit(); !quit) {
            showFailure(quit);
        }
        return false;
    }
    if (!attachPlayer()) {
        return false;
    }
    if (Status done = runAction(row.action); !done) {
        showFailure(done);
    }
    if (row.action == MusicAction::ShowPlayer) {
        return true;
    }
    // A second step waiting takes this same phrase as its words.
    if (!m_p.state.iTunesPendingMode.empty()) {
        secondStep(text);
    }
    return true;
}

Status MusicInterpreter::runAction(MusicAction action) {
    MusicPlayer& player = m_p.player;
    switch (action) {
    case MusicAction::MusicLibrary:
        return player.showLibrary(MusicLibrary::Music);
    case MusicAction::MovieLibrary:
        return player.showLibrary(MusicLibrary::Movies);
    case MusicAction::TvLibrary:
        return player.showLibrary(MusicLibrary::Tv);
    case MusicAction::RadioLibrary:
        return player.showLibrary(MusicLibrary::Radio);
    case MusicAction::PodcastLibrary:
        return player.showLibrary(MusicLibrary::Podcasts);
    case MusicAction::MiniPlayer:
        return player.toggleMiniPlayer();
    case MusicAction::MusicStore:
        return orInBrowser(player.gotoStoreHome(), kMusicStoreAddress);
    case MusicAction::RepeatMusic:
        return player.restartTrack();
    case MusicAction::NextTrack:
        return player.nextTrack();
    case MusicAction::PreviousTrack:
        return player.previousTrack();
    case MusicAction::Mute:
        return player.setMuted(true);
    case MusicAction::Unmute:
        return player.setMuted(false);
    case MusicAction::FastForward:
        return player.fastForward();
    case MusicAction::Rewind:
        return player.rewind();
    case MusicAction::Resume:
        return player.resume();
    case MusicAction::Pause:
        return player.pause();
    case MusicAction::Stop:
        return player.stop();
    case MusicAction::ShowPlayer:
        return player.showPlayer();
    case MusicAction::Quit:
        return player.quit();
    }
    return {};
}

Status MusicInterpreter::orInBrowser(const Status& offered, const std::string& address) {
    if (offered.number() != music_error::kNotOffered) {
        return offered;
    }
    return m_p.host.openUrl(address);
}

void MusicInterpreter::startTwoStep(const TwoStepMusicPhrase& row, const std::string& text) {
    feedbackHeard(text);
    // Checked before the beep: the user is never asked for words that would
    // then be refused.
    const std::string mode(row.mode);
    if (!stepCanBeDone(mode)) {
        return;
    }
    // Waiting from the beep on: a new engine, a sleep or a wake while events
    // run forgets it, as it forgets a search of the catalogue.
    m_p.state.iTunesPendingMode = mode;
    if (Status listening =
            row.spelling ? itunesSpellSearchPart1() : itunesSearchPart1(expectedWords(mode));
        !listening) {
        if (listening.number() == kCalledOff) {
            // What changed the listening set the grammar as it wants it.
            m_p.state.iTunesPendingMode.clear();
            return;
        }
        endPendingMode();
        m_p.boxes.reportError(listening.number(), listening.message(), kMusicLocation);
    }
}

bool MusicInterpreter::stepCanBeDone(const std::string& mode) {
    const std::optional<MusicStep> step = stepOfMode(mode);
    if (!step) {
        return true;
    }
    if (!attachPlayer()) {
        return false;
    }
    if (Status offered = m_p.player.offers(*step); !offered) {
        showFailure(offered);
        endPendingMode();
        return false;
    }
    return true;
}

void MusicInterpreter::secondStep(const std::string& text) {
    const std::string mode = m_p.state.iTunesPendingMode;
    if (!stepOfMode(mode) || attachPlayer()) {
        takeWords(mode, text);
    }
    endPendingMode();
}

void MusicInterpreter::takeWords(const std::string& mode, const std::string& text) {
    if (searchScope(mode)) {
        feedbackHeard(text);
        searchLibrary(text, mode);
    } else if (std::optional<std::string_view> kind = storeSearchKind(mode)) {
        feedbackHeard(text);
        // Every word coded, not only the blanks: the words become an address.
        const std::string address =
            kMusicStoreSearchAddress + percentEncode(text) + std::string(*kind);
        if (Status opened = orInBrowser(m_p.player.openStoreAddress(address), address); !opened) {
            showFailure(opened);
        }
    } else if (mode == "playlist") {
        feedbackHeard(text);
        searchForPlaylist(text);
    } else if (mode == "volume") {
        feedbackHeard(text);
        setVolume(text);
    } else if (mode == "create+playlist" || mode == "spellcreate+playlist") {
        feedbackHeard(text);
        createPlaylist(text);
    }
}

void MusicInterpreter::setVolume(const std::string& text) {
    const int volume = volumeFromWords(text);
    if (volume < 0) {
        message("Setting Volume", "kelvo couldn't quite understand what setting you want for the "
                                  "volume  Please try again.");
        return;
    }
    if (Status set = m_p.player.setVolume(volume); !set) {
        showFailure(set);
    }
}

void MusicInterpreter::createPlaylist(const std::string& name) {
    if (auto lists = m_p.player.playlists()) {
        for (const MusicPlaylist& playlist : *lists) {
            if (playlist.name == name) {
                message("Create Playlist", "That playlist already exists");
                return;
            }
        }
    }
    if (Status made = m_p.player.createPlaylist(name); !made) {
        showFailure(made);
    }
}

void MusicInterpreter::searchForPlaylist(const std::string& name) {
    auto lists = m_p.player.playlists();
    if (!lists) {
        showFailure(lists.error());
        return;
    }
    const std::string wanted = upper(name);
    const MusicPlaylist* found = nullptr;
    for (const MusicPlaylist& playlist : *lists) {
        if (upper(playlist.name) == wanted) {
            found = &playlist;
            break;
        }
    }
    for (auto it = lists->begin(); found == nullptr && it != lists->end(); ++it) {
        if (upper(it->name).find(wanted) != std::string::npos) {
            found = &*it;
        }
    }
    if (found == nullptr) {
        message(kSearchTitle, "A playlist named '" + name + "' was not found.");
        return;
    }
    if (Status selected = m_p.player.selectPlaylist(*found, found->trackCount != 0); !selected) {
        showFailure(selected);
    }
}

void MusicInterpreter::searchLibrary(const std::string& words, const std::string& mode) {
    const SearchScope scope = *searchScope(mode);
    MusicPlayer& player = m_p.player;
    auto hits = player.searchLibrary(scope.library, scope.field, words);
    if (!hits) {
        searchFailure(hits.error());
        return;
    }
    // The search playlist is made anew each time, even for no hit.
    auto lists = player.playlists();
    if (!lists) {
        searchFailure(lists.error());
        return;
    }
    for (const MusicPlaylist& playlist : *lists) {
        if (playlist.name == kSearchPlaylistName) {
            if (Status deleted = player.deletePlaylist(playlist); !deleted) {
                searchFailure(deleted);
                return;
            }
            break;
        }
    }
    if (Status made = player.createPlaylist(kSearchPlaylistName); !made) {
        searchFailure(made);
        return;
    }
    BusyPointer busy(m_p.feedback);
    lists = player.playlists();
    if (!lists) {
        searchFailure(lists.error());
        return;
    }
    auto search = std::find_if(lists->begin(), lists->end(), [](const MusicPlaylist& playlist) {
        return playlist.name == kSearchPlaylistName;
    });
    if (search == lists->end()) {
        searchFailure(Status::failure(music_error::kPlayerGone, "the search playlist is gone"));
        return;
    }
    if (hits->empty()) {
        message(kSearchTitle, "Your music search for '" + words + "' did not return any items");
        return;
    }
    // Each hit once, also among tracks of the same name; all in one go, as
    // a search can find thousands.
    std::set<std::string> seen;
    std::vector<MusicTrack> added;
    for (const MusicTrack& track : *hits) {
        if (seen.insert(track.id).second) {
            added.push_back(track);
        }
    }
    if (Status put = player.addTracks(*search, added); !put) {
        searchFailure(put);
        return;
    }
    MusicPlaylist filled = *search;
    filled.trackCount = static_cast<int>(added.size());
    if (Status selected = player.selectPlaylist(filled, true); !selected) {
        searchFailure(selected);
    }
}

bool MusicInterpreter::attachPlayer() {
    const Status attached = m_p.player.attach();
    if (attached) {
        return true;
    }
    if (attached.number() == music_error::kNoPlayer ||
        attached.number() == music_error::kPlayerGone) {
        showFailure(attached);
    } else {
        message("", "An error occurred.  Please contact kelvo support at "
                    "https://kelvo.example.org.  Error: " +
                        std::to_string(attached.number()));
    }
    endPendingMode();
    return false;
}

std::vector<std::string> MusicInterpreter::expectedWords(const std::string& mode) {
    if (std::optional<SearchScope> scope = searchScope(mode)) {
        return m_p.player.searchPhrases(scope->library, scope->field);
    }
    std::vector<std::string> names;
    if (mode == "playlist") {
        if (auto lists = m_p.player.playlists()) {
            for (const MusicPlaylist& playlist : *lists) {
                names.push_back(playlist.name);
            }
        }
    }
    return names;
}

Status MusicInterpreter::itunesSearchPart1(const std::vector<std::string>& expected) {
    speech::SpeechGrammar* grammar = m_p.host.grammar();
    if (grammar == nullptr) {
        return calledOff();
    }
    if (Status off = grammar->cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Inactive);
        !off) {
        return off;
    }
    // Words the library holds are heard as written; anything else as before.
    if (Status loaded = expected.empty() ? grammar->dictationLoad("", speech::LoadOption::Static)
                                         : grammar->dictationLoadVocabulary(expected);
        !loaded) {
        return loaded;
    }
    grammar = beepAndWait(grammar);
    if (grammar == nullptr) {
        return calledOff();
    }
    return grammar->dictationSetState(speech::RuleState::Active);
}

Status MusicInterpreter::itunesSpellSearchPart1() {
    speech::SpeechGrammar* grammar = m_p.host.grammar();
    if (grammar == nullptr) {
        return calledOff();
    }
    if (Status off = grammar->cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Inactive);
        !off) {
        return off;
    }
    grammar = beepAndWait(grammar);
    if (grammar == nullptr) {
        return calledOff();
    }
    if (Status loaded = grammar->dictationLoad(speech::kTopicSpelling, speech::LoadOption::Static);
        !loaded) {
        return loaded;
    }
    return grammar->dictationSetState(speech::RuleState::Active);
}

speech::SpeechGrammar* MusicInterpreter::beepAndWait(speech::SpeechGrammar* grammar) {
    m_p.host.makeBeep(kBeepHz, kBeepMs);
    m_p.app.pumpEvents();
    // What ran meanwhile may have quit (the grammar is gone), changed the
    // voice profile (another grammar, perhaps at the same address), put the
    // listening to sleep or woken it: each forgets the step waiting.
    speech::SpeechGrammar* now = m_p.host.grammar();
    const bool waiting = !m_p.state.iTunesPendingMode.empty();
    return now == grammar && waiting && !m_p.speech.asleep ? now : nullptr;
}

void MusicInterpreter::setToCnC() {
    speech::SpeechGrammar* grammar = m_p.host.grammar();
    if (grammar == nullptr) {
        return;
    }
    // Both are tried: the rules must come back even when dictation will not
    // go off.
    const Status off = grammar->dictationSetState(speech::RuleState::Inactive);
    const Status on = grammar->cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Active);
    if (!on) {
        m_p.boxes.reportError(on.number(), on.message(), kMusicLocation);
    } else if (!off) {
        m_p.boxes.reportError(off.number(), off.message(), kMusicLocation);
    }
}

void MusicInterpreter::endPendingMode() {
    setToCnC();
    m_p.state.iTunesPendingMode.clear();
}

void MusicInterpreter::showFailure(const Status& failure) {
    switch (failure.number()) {
    case music_error::kNotOffered:
        message(kPlayerTitle, failure.message());
        break;
    case music_error::kNoPlayer:
        // The player's side says why: none installed, none started, no bus.
        message("", failure.message());
        break;
    case music_error::kPlayerGone:
        message("Error", "A problem occurred connecting to the music player.  Please say the "
                         "command again.");
        break;
    default:
        m_p.boxes.reportError(failure.number(), failure.message(), kMusicLocation);
        break;
    }
}

void MusicInterpreter::searchFailure(const Status& failure) {
    switch (failure.number()) {
    case music_error::kNotOffered:
    case music_error::kNoPlayer:
    case music_error::kPlayerGone:
        showFailure(failure);
        break;
    default:
        // The search's own trap: a plain box, and the program goes on.
        message(kSearchTitle, std::to_string(failure.number()) + "\n" + failure.message());
        break;
    }
}

void MusicInterpreter::feedbackHeard(const std::string& text) {
    std::string shown = text;
    giveFeedback(shown, m_p.feedback);
}

void MusicInterpreter::message(const std::string& title, const std::string& text) {
    // Modeless, as every box of the recognition road: the road goes on.
    m_p.boxes.custMsgBox(title, "ok", text, false);
}

} // namespace kelvo
