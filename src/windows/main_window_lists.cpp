#include "windows/main_window_lists.h"

namespace kelvo {

const FixedList& basicList() {
    static const FixedList list{
        ListId::Basic,
        {{"Word(s)", 2450}, {"Action", 5450}},
        {
            {"click", "the same as clicking the mouse"},
            {"double click", "the same as double clicking the mouse"},
            {"context menu", "the same as clicking the second mouse button"},
            {"start menu", "activates the start button"},
            {"close", "closes the active window"},
            {"mute computer microphone", "mutes your microphone"},
            {"activate computer microphone", "activates your microphone"},
            {"conceal kelvee (kelvo)", "hides this program"},
            {"display kelvee (kelvo)", "display this program"},
            {"quit kelvee (kelvo)", "quits this program"},
            {"get help", "get help"},
            {"go basic tab", "selects the basic commands tab"},
            {"go stuff tab", "selects the web commands tab"},
            {"go places tab", "selects the places commands tab"},
            {"go fun tab", "selects the fun commands tab"},
            {"go searches tab", "selects the searches commands tab"},
            {"go music tab", "selects the music commands tab"},
            {"go bookmarks tab", "selects the bookmarks commands tab"},
            {"go social tab", "selects the social commands tab"},
            {"go options tab", "selects the options commands tab"},
            {"go custom tab", "selects the custom commands tab"},
            {"go calculator", "opens calculator"},
            {"go media player", "opens media player"},
            {"go windows explorer", "opens windows explorer"},
            {"go control panel ", "opens control panel "},
            {"go screen display", "opens screen display"},
        },
        "A list of basic speech commands that let you control parts of your operating system "
        "by speaking"};
    return list;
}

const std::vector<FixedList>& socialLists() {
    static const std::vector<FixedList> lists{
        {ListId::Facebook,
         {{"Voice Commands", 2500}},
         {{"go facebook home"},
          {"go facebook profile"},
          {"go facebook edit"},
          {"go facebook friends"},
          {"go facebook networks"},
          {"go facebook inbox"},
          {"go facebook photos"},
          {"go facebook groups"},
          {"go facebook events"},
          {"go facebook marketplace"},
          {"go facebook help"}},
         "Facebook speech commands -  these take you to various places within Facebook"},
        {ListId::MySpace,
         {{"More Voice Commands", 2500}},
         {{"go myspace home"},
          {"go myspace browse"},
          {"go myspace mail"},
          {"go myspace blogs"},
          {"go myspace favorites"},
          {"go myspace forums"},
          {"go myspace groups"},
          {"go myspace film"},
          {"go myspace TV"},
          {"go myspace music home"},
          {"go myspace music forum"},
          {"go myspace music shows"},
          {"go myspace comedy"},
          {"go myspace events"},
          {"go myspace invite"},
          {"go myspace classifieds"},
          {"go myspace help"}},
         "MySpace speech commands -  these take you to various places within MySpace"},
    };
    return lists;
}

const FixedList& loginList() {
    static const FixedList list{
        ListId::Login,
        {{"Login Voice Commands", 2400}},
        {},
        "Login speech commands -  these commands  let you login to your Facebook or MySpace "
        "account without having type in your username and password each time"};
    return list;
}

const std::vector<FixedList>& musicLists() {
    static const std::vector<FixedList> lists{
        {ListId::MusicBasic,
         {{"Word(s)", 1350}, {"Music Playlist Actions", 3400}},
         {{"music library", "goes to the music library"},
          {"radio library", "goes to the radio library"},
          {"movie library", "goes to the movie library"},
          {"tv library", "goes to the tv library"},
          {"podcast library", "goes to the podcast library"},
          {"next track", "starts next track in the current playlist"},
          {"previous track", "starts previous track in the current playlist"},
          {"fast forward", "begins fast forwarding the current track"},
          {"rewind music", "begins rewinding the current track"},
          {"resume music", "resumes from rewind/fast forward modes"},
          {"repeat music", "replays the currently playing track"},
          {"mute music", "mutes the music player"},
          {"unmute music", "un-mutes the music player"}},
         "A list of music commands related to controlling the iTunes (tm) music player to play "
         "music"},
        {ListId::MusicPlay,
         {{"Word(s)", 1350}, {"On/Off & Music Player Actions", 3400}},
         {{"play music", "opens the music player"},
          {"pause music", "pauses the music player"},
          {"stop music", "stops the music player"},
          {"quit music", "closes the music player"},
          {"show player", "displays the music player"},
          {"mini player", "toggles between mini player & full size player"},
          {"music store", "opens the home page of the music store"}},
         "A list of music commands related to opening and manipulating the iTunes (tm) music "
         "player"},
        {ListId::MusicSearch,
         {{"Searches****", 2050}},
         {{"search music"},
          {"spellsearch music"},
          {"search music store"},
          {"spellsearch music store"},
          {"search music playlist"},
          {"spellsearch music playlist"},
          {"search movies"},
          {"search tv"},
          {"search podcasts"}},
         "A list of music commands related to searching the iTunes (tm) music player and the "
         "Apple Music Store"},
        {ListId::MusicOther,
         {{"Other****", 2050}},
         {{"create playlist"}, {"spellcreate music playlist"}, {"music volume"}},
         "A list of miscellaneous music commands related manipulating the iTunes (tm) music "
         "player"},
    };
    return lists;
}

const std::string& musicFootnote() {
    static const std::string text =
        "***Say the command, then you will hear a beep. After the beep, say the volume level, "
        "search phrase, or playlist name.  The volume level can be any number from 0 (min) to "
        "100 (max).  Spellsearches and spellcreate work the same as regular searches, except "
        "that you spell the search phrase.";
    return text;
}

std::string listToolTip(ListId list) {
    if (list == ListId::Basic) {
        return basicList().toolTip;
    }
    if (list == ListId::Login) {
        return loginList().toolTip;
    }
    for (const auto* group : {&socialLists(), &musicLists()}) {
        for (const FixedList& fixed : *group) {
            if (fixed.id == list) {
                return fixed.toolTip;
            }
        }
    }
    return {};
}

} // namespace kelvo
