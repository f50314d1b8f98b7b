#pragma once

#include "integrations/music/music_phrases.h"
#include "integrations/music/music_player.h"
#include "integrations/music/music_state.h"
#include "services/app_control.h"
#include "services/message_boxes.h"
#include "speech/dispatch_host.h"
#include "speech/feedback_port.h"
#include "speech/speech_state.h"

#include <string>
#include <vector>

namespace kelvo {

/// The playlist a library search fills.
inline constexpr const char* kSearchPlaylistName = "kelvo search";

/// The music store opened in the browser when the player has none of its
/// own: its home page, and its search page, which the words follow.
inline constexpr const char* kMusicStoreAddress = "https://bandcamp.com/";
inline constexpr const char* kMusicStoreSearchAddress = "https://bandcamp.com/search?q=";

/// What the music commands work with.
struct MusicParts {
    MusicState& state;
    SpeechState& speech;
    MusicPlayer& player;
    FeedbackPort& feedback;
    MessageBoxes& boxes;
    AppControl& app;
    DispatchHost& host;
};

/// The voice commands of the music player: 22 phrases that act at once and
/// 19 that take the next utterance (dictated or spelled) as their words.
/// A two-step phrase asks for its words only once the player is there and
/// can take them; whatever fails on a second step, the grammar listens for
/// commands again and nothing stays pending.
class MusicInterpreter {
public:
    explicit MusicInterpreter(MusicParts parts);

    /// Offers a recognised phrase; true when it was a music command (the
    /// road ends). "quit music" answers false.
    bool checkiTunes(const std::string& text);

private:
    bool interpret(const std::string& text);
    bool runOneStep(const OneStepMusicPhrase& row, const std::string& text);
    void startTwoStep(const TwoStepMusicPhrase& row, const std::string& text);
    void secondStep(const std::string& text);
    void takeWords(const std::string& mode, const std::string& text);

    Status runAction(MusicAction action);
    Status orInBrowser(const Status& offered, const std::string& address);
    bool stepCanBeDone(const std::string& mode);
    void searchLibrary(const std::string& words, const std::string& mode);
    void searchForPlaylist(const std::string& name);
    void createPlaylist(const std::string& name);
    void setVolume(const std::string& text);

    bool attachPlayer();
    Status itunesSearchPart1(const std::vector<std::string>& expected);
    std::vector<std::string> expectedWords(const std::string& mode);
    Status itunesSpellSearchPart1();
    speech::SpeechGrammar* beepAndWait(speech::SpeechGrammar* grammar);
    void setToCnC();
    void endPendingMode();
    void showFailure(const Status& failure);
    void searchFailure(const Status& failure);
    void feedbackHeard(const std::string& text);
    void message(const std::string& title, const std::string& text);

    MusicParts m_p;
};

/// The volume a second step's words ask for, clamped to 0-100: digits
/// ("150" gives 100) or a spoken number word ("fifty"); -1 when neither.
int volumeFromWords(const std::string& words);

} // namespace kelvo
