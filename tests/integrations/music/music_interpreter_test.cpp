#include "integrations/music/music_interpreter.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_dispatch_host.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/simulated_music_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace kelvo {
namespace {

/// The command grammar's state: rules on, dictation off and which topic;
/// and how often it was changed.
class StateGrammar : public speech::SpeechGrammar {
public:
    Status cmdLoadFromFile(const std::string&, speech::LoadOption) override {
        ++changes;
        return {};
    }
    Status cmdSetRuleIdState(int, speech::RuleState state) override {
        ++changes;
        rulesOn = state == speech::RuleState::Active;
        return {};
    }
    Status dictationLoad(const std::string& t, speech::LoadOption) override {
        ++changes;
        topic = t;
        return {};
    }
    Status dictationSetState(speech::RuleState state) override {
        ++changes;
        dictationOn = state == speech::RuleState::Active;
        return {};
    }
    bool hasRule(const std::string&) const override { return true; }

    bool rulesOn = true;
    bool dictationOn = false;
    std::string topic = "none";
    int changes = 0;
};

/// Runs, once, what a test queued for the next pump of events.
class PumpingAppControl : public fakes::FakeAppControl {
public:
    void pumpEvents() override {
        FakeAppControl::pumpEvents();
        if (auto run = std::exchange(duringPump, {})) {
            run();
        }
    }
    std::function<void()> duringPump;
};

struct MusicRig {
    MusicRig() {
        host.grammarObject = &grammar;
        player.addTrack({"t1", "Blue Moon", "Ella", "Songs", "Rodgers"});
        player.addTrack({"t2", "Blue Moon", "Frank", "Moon Album", "Rodgers"});
        player.addTrack({"t3", "Moonlight", "Ella", "Night", "Other"});
        player.addTrack({"t4", "Cartoons", "Kids", "TV", "", MusicLibrary::Tv});
    }

    bool say(const std::string& text) { return music.checkiTunes(text); }
    bool listeningForCommands() const { return grammar.rulesOn && !grammar.dictationOn; }
    std::string lastBox() const {
        return dialogs.shown.empty() ? "" : dialogs.shown.back().message;
    }
    std::string lastCall() const { return player.calls.empty() ? "" : player.calls.back(); }

    StateGrammar grammar;
    fakes::FakeDispatchHost host;
    fakes::SimulatedMusicPlayer player;
    fakes::FakeFeedbackPort feedback;
    fakes::FakeDialogPort dialogs;
    PumpingAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    SpeechState speech;
    MusicState state;
    MusicInterpreter music{MusicParts{state, speech, player, feedback, boxes, app, host}};
};

struct OneStepCase {
    const char* phrase;
    const char* call;
};

class OneStepPhrase : public testing::TestWithParam<OneStepCase> {};

TEST_P(OneStepPhrase, CountsEchoesAndActs) {
    MusicRig rig;
    EXPECT_TRUE(rig.say(GetParam().phrase));
    EXPECT_EQ(rig.speech.commandCounter, 1);
    EXPECT_EQ(rig.feedback.feedbackText, std::string("I Heard: ") + GetParam().phrase);
    ASSERT_EQ(rig.player.calls.size(), 2u);
    EXPECT_EQ(rig.player.calls[0], "attach");
    EXPECT_EQ(rig.player.calls[1], GetParam().call);
    EXPECT_TRUE(rig.state.iTunesPendingMode.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Music, OneStepPhrase,
    testing::Values(
        OneStepCase{"play music", "library 1"}, OneStepCase{"music library", "library 1"},
        OneStepCase{"movie library", "library 2"}, OneStepCase{"tv library", "library 3"},
        OneStepCase{"radio library", "library 5"}, OneStepCase{"podcast library", "library 4"},
        OneStepCase{"pod cast library", "library 4"}, OneStepCase{"pod library", "library 4"},
        OneStepCase{"mini player", "mini"}, OneStepCase{"music store", "store home"},
        OneStepCase{"repeat music", "restart"}, OneStepCase{"next track", "next"},
        OneStepCase{"previous track", "previous"}, OneStepCase{"mute music", "mute"},
        OneStepCase{"unmute music", "unmute"}, OneStepCase{"fast forward", "fast forward"},
        OneStepCase{"rewind music", "rewind"}, OneStepCase{"resume music", "resume"},
        OneStepCase{"pause music", "pause"}, OneStepCase{"stop music", "stop"},
        OneStepCase{"show player", "show"}));

struct TwoStepCase {
    const char* phrase;
    const char* mode;
    bool spelling;
    const char* words;
    const char* call; // a call the words made
};

class TwoStepPhrase : public testing::TestWithParam<TwoStepCase> {};

TEST_P(TwoStepPhrase, WaitsForWordsThenListensForCommandsAgain) {
    const TwoStepCase& c = GetParam();
    MusicRig rig;
    rig.player.addPlaylist("Rock");
    EXPECT_TRUE(rig.say(c.phrase));
    EXPECT_EQ(rig.speech.commandCounter, 0);
    EXPECT_EQ(rig.state.iTunesPendingMode, c.mode);
    EXPECT_TRUE(rig.grammar.dictationOn);
    EXPECT_FALSE(rig.grammar.rulesOn);
    EXPECT_EQ(rig.grammar.topic, c.spelling ? "Spelling" : "");
    EXPECT_EQ(rig.host.count("beep 500 200"), 1);

    const size_t before = rig.player.calls.size();
    EXPECT_TRUE(rig.say(c.words));
    EXPECT_EQ(rig.feedback.feedbackText, std::string("I Heard: ") + c.words);
    // What the player was asked, and what the browser was given.
    std::vector<std::string> made(rig.player.calls.begin() + before, rig.player.calls.end());
    made.insert(made.end(), rig.host.calls.begin(), rig.host.calls.end());
    EXPECT_NE(std::find(made.begin(), made.end(), c.call), made.end())
        << testing::PrintToString(made);
    EXPECT_TRUE(rig.state.iTunesPendingMode.empty());
    EXPECT_TRUE(rig.listeningForCommands());
}

INSTANTIATE_TEST_SUITE_P(
    Music, TwoStepPhrase,
    testing::Values(
        TwoStepCase{"search music", "library+all", false, "Moonlight", "select kelvo search play"},
        TwoStepCase{"search movies", "movies+all", false, "x", "search 2 0 x"},
        TwoStepCase{"search tv", "tv+all", false, "Cartoons", "select kelvo search play"},
        TwoStepCase{"search podcasts", "podcasts+all", false, "x", "search 4 0 x"},
        TwoStepCase{"search radio", "radio+all", false, "x", "search 5 0 x"},
        TwoStepCase{"search music artist", "library+artist", false, "Ella",
                    "select kelvo search play"},
        TwoStepCase{"search music album", "library+album", false, "zzz", "search 0 3 zzz"},
        TwoStepCase{"search music song", "library+songname", false, "Ella", "search 0 5 Ella"},
        TwoStepCase{"search music store artist", "store+artist", false, "Ella Fitz",
                    "open https://bandcamp.com/search?q=Ella%20Fitz&item_type=b"},
        TwoStepCase{"search music store album", "store+album", false, "a&b",
                    "open https://bandcamp.com/search?q=a%26b&item_type=a"},
        TwoStepCase{"search music store song", "store+song", false, "x",
                    "open https://bandcamp.com/search?q=x&item_type=t"},
        TwoStepCase{"search music store", "store+all", false, "two words",
                    "open https://bandcamp.com/search?q=two%20words"},
        TwoStepCase{"search music playlist", "playlist", false, "rock", "select Rock"},
        TwoStepCase{"spell search music playlist", "playlist", true, "ROCK", "select Rock"},
        TwoStepCase{"spell search music store", "store+spell", true, "abc",
                    "open https://bandcamp.com/search?q=abc"},
        TwoStepCase{"spell search music", "library+spell", true, "Moon",
                    "select kelvo search play"},
        TwoStepCase{"create playlist", "create+playlist", false, "Jazz", "create Jazz"},
        TwoStepCase{"spell create music playlist", "spellcreate+playlist", true, "Jazz",
                    "create Jazz"},
        TwoStepCase{"music volume", "volume", false, "fifty", "volume 50"}));

TEST(MusicInterpreter, QuitMusicCountsButLetsThePhraseGoOn) {
    MusicRig rig;
    rig.state.iTunesPendingMode = "store+all";
    EXPECT_FALSE(rig.say("quit music"));
    EXPECT_EQ(rig.speech.commandCounter, 1);
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: quit music");
    EXPECT_EQ(rig.player.calls, std::vector<std::string>{"quit"});
}

TEST(MusicInterpreter, OneStepPhraseAlsoServesAsPendingWords) {
    MusicRig rig;
    rig.say("search music store");
    EXPECT_TRUE(rig.say("next track"));
    const std::vector<std::string> expected = {"attach", "next",
                                               "store https://bandcamp.com/search?q=next%20track"};
    EXPECT_EQ(std::vector<std::string>(rig.player.calls.end() - 3, rig.player.calls.end()),
              expected);
    EXPECT_EQ(rig.host.opened,
              std::vector<std::string>{"https://bandcamp.com/search?q=next%20track"})
        << "the player has no store of its own";
    EXPECT_TRUE(rig.state.iTunesPendingMode.empty());
    EXPECT_TRUE(rig.listeningForCommands());
}

TEST(MusicInterpreter, NoPlayerClearsThePendingModeAndListensAgain) {
    MusicRig rig;
    rig.say("search music");
    rig.player.running = false;
    EXPECT_FALSE(rig.say("next track"));
    EXPECT_TRUE(rig.state.iTunesPendingMode.empty());
    EXPECT_TRUE(rig.listeningForCommands());
    EXPECT_EQ(rig.lastBox(), "No music player is installed.") << "the player says why";
}

TEST(MusicInterpreter, TwoStepPhraseIsRefusedBeforeItAsksForWords) {
    struct Case {
        const char* phrase;
        bool running;
        std::optional<MusicStep> refused;
        const char* box;
    };
    const Status noSearch = Status::failure(music_error::kNotOffered, "No search here.");
    for (const Case& c :
         {Case{"search music artist", false, {}, "No music player is installed."},
          Case{"music volume", false, {}, "No music player is installed."},
          Case{"spell search music", true, MusicStep::SearchLibrary, "No search here."},
          Case{"search music playlist", true, MusicStep::FindPlaylist, "No search here."},
          Case{"create playlist", true, MusicStep::CreatePlaylist, "No search here."}}) {
        MusicRig rig;
        rig.player.running = c.running;
        if (c.refused) {
            rig.player.refusedSteps.emplace(*c.refused, noSearch);
        }
        EXPECT_TRUE(rig.say(c.phrase)) << c.phrase;
        EXPECT_EQ(rig.lastBox(), c.box) << c.phrase;
        EXPECT_EQ(rig.host.count("beep 500 200"), 0) << c.phrase;
        EXPECT_TRUE(rig.listeningForCommands()) << c.phrase;
        EXPECT_TRUE(rig.state.iTunesPendingMode.empty()) << c.phrase;
    }

    // The store is the browser's: its searches need no player.
    MusicRig rig;
    rig.player.running = false;
    rig.say("search music store song");
    rig.say("blue");
    EXPECT_EQ(rig.host.opened,
              std::vector<std::string>{"https://bandcamp.com/search?q=blue&item_type=t"});
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(MusicInterpreter, MusicStoreIsThePlayersOwnElseTheBrowsers) {
    MusicRig rig;
    rig.say("music store");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"https://bandcamp.com/"});
    rig.player.ownStore = true;
    rig.say("music store");
    EXPECT_EQ(rig.host.opened.size(), 1u);
    EXPECT_EQ(rig.lastCall(), "store home");
}

TEST(MusicInterpreter, SecondStepFailureStillEndsTheMode) {
    MusicRig rig;
    rig.say("search music playlist");
    rig.player.failNext = Status::failure(music_error::kNotOffered, "No playlists here.");
    EXPECT_TRUE(rig.say("rock"));
    EXPECT_EQ(rig.lastBox(), "No playlists here.");
    EXPECT_TRUE(rig.state.iTunesPendingMode.empty());
    EXPECT_TRUE(rig.listeningForCommands());
    EXPECT_FALSE(rig.say("rock")) << "nothing pending any more";
}

TEST(MusicInterpreter, WhatRunsDuringTheBeepCanCallOffTheDictation) {
    struct Case {
        const char* what;
        std::function<void(MusicRig&, StateGrammar& other)> run;
    };
    const Case cases[] = {
        {"a quit released the engine",
         [](MusicRig& r, StateGrammar&) { r.host.grammarObject = nullptr; }},
        {"another profile restarted it",
         [](MusicRig& r, StateGrammar& other) { r.host.grammarObject = &other; }},
        {"the listening went to sleep",
         [](MusicRig& r, StateGrammar&) {
             r.speech.asleep = r.speech.muted = true;
             r.grammar.rulesOn = true;
         }},
        // A new engine may get its grammar where the old one was; a
        // custom-command save wakes the listening. Both forget what waits.
        {"what waited was forgotten",
         [](MusicRig& r, StateGrammar&) { r.state.iTunesPendingMode.clear(); }},
    };
    for (const char* phrase : {"search music", "spell search music"}) {
        for (const Case& c : cases) {
            MusicRig rig;
            StateGrammar other;
            int changesBefore = -1;
            rig.app.duringPump = [&] {
                c.run(rig, other);
                changesBefore = rig.grammar.changes;
            };
            EXPECT_TRUE(rig.say(phrase)) << phrase << ": " << c.what;
            if (rig.host.grammarObject != &rig.grammar) {
                EXPECT_EQ(rig.grammar.changes, changesBefore)
                    << phrase << ": " << c.what << ": the grammar of before is left alone";
            }
            EXPECT_FALSE(rig.grammar.dictationOn) << phrase << ": " << c.what;
            EXPECT_FALSE(other.dictationOn) << phrase << ": " << c.what;
            EXPECT_TRUE(rig.state.iTunesPendingMode.empty()) << phrase << ": " << c.what;
            EXPECT_TRUE(rig.dialogs.shown.empty()) << phrase << ": " << c.what;
        }
    }
}

TEST(MusicInterpreter, ASearchListTheDiskRefusesIsSaidInABoxAndCommandsGoOn) {
    MusicRig rig;
    rig.say("search music");
    rig.player.failNextCreate =
        Status::failure(75, "cannot write kelvo search.m3u: Read-only file system");
    EXPECT_TRUE(rig.say("Moonlight"));
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].kind, "modeless") << "not the window that ends the program";
    EXPECT_EQ(rig.lastBox(), "75\ncannot write kelvo search.m3u: Read-only file system");
    EXPECT_TRUE(rig.state.iTunesPendingMode.empty());
    EXPECT_TRUE(rig.listeningForCommands());
    EXPECT_TRUE(rig.say("next track"));
    EXPECT_EQ(rig.lastCall(), "next");
}

TEST(MusicInterpreter, VolumeWordsAreNumbersClampedOrRefused) {
    struct Case {
        const char* words;
        int volume;
    };
    for (const Case& c : {Case{"fifty", 50}, Case{"150", 100}, Case{"-5", 0}, Case{" 30 ", 30},
                          Case{"99999999999999999999", 100}, Case{"banana", -1}, Case{"", -1}}) {
        EXPECT_EQ(volumeFromWords(c.words), c.volume) << c.words;
    }
    MusicRig rig;
    rig.say("music volume");
    rig.say("banana");
    EXPECT_EQ(rig.player.volume, 100);
    EXPECT_EQ(rig.lastBox(), "kelvo couldn't quite understand what setting you want for the "
                             "volume  Please try again.");
    EXPECT_TRUE(rig.listeningForCommands());
}

TEST(MusicInterpreter, PlaylistSearchPrefersExactNameOverEarlierContains) {
    MusicRig rig;
    rig.player.addPlaylist("Rock Classics", {"t1"});
    rig.player.addPlaylist("rock", {});
    rig.player.addPlaylist("Hard Rock", {"t2"});
    rig.say("search music playlist");
    rig.say("ROCK");
    EXPECT_EQ(rig.lastCall(), "select rock") << "an empty playlist is shown, not played";

    rig.say("search music playlist");
    rig.say("classic");
    EXPECT_EQ(rig.lastCall(), "select Rock Classics play");

    rig.say("search music playlist");
    rig.say("polka");
    EXPECT_EQ(rig.lastBox(), "A playlist named 'polka' was not found.");
}

TEST(MusicInterpreter, LibrarySearchRebuildsItsPlaylistAddingEachHitOnce) {
    MusicRig rig;
    rig.player.addPlaylist("kelvo search", {"old"});
    rig.say("search music");
    rig.say("Blue Moon");
    const auto* search = rig.player.findPlaylist("kelvo search");
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->trackIds, (std::vector<std::string>{"t1", "t2"}));
    EXPECT_EQ(rig.player.selected, "kelvo search");
    EXPECT_EQ(rig.feedback.calls.back(), "pointer default");

    rig.say("search music");
    rig.say("nothing like it");
    search = rig.player.findPlaylist("kelvo search");
    ASSERT_NE(search, nullptr) << "an empty search playlist stays";
    EXPECT_TRUE(search->trackIds.empty());
    EXPECT_EQ(rig.lastBox(), "Your music search for 'nothing like it' did not return any items");
}

TEST(MusicInterpreter, CreatePlaylistRefusesANameThatExists) {
    MusicRig rig;
    rig.player.addPlaylist("Jazz");
    rig.say("create playlist");
    rig.say("Jazz");
    EXPECT_EQ(rig.lastBox(), "That playlist already exists");
    EXPECT_EQ(rig.lastCall(), "attach");
}

TEST(MusicInterpreter, OtherPhrasesAreNotMusic) {
    MusicRig rig;
    for (const char* phrase : {"Next Track", "next track please", "go music tab", ""}) {
        EXPECT_FALSE(rig.say(phrase)) << phrase;
    }
    EXPECT_TRUE(rig.player.calls.empty());
}

} // namespace
} // namespace kelvo
