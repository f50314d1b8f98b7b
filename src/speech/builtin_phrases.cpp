#include "speech/builtin_phrases.h"

#include "speech/match_key.h"

namespace kelvo {

namespace {

using A = BuiltinAction;
using F = BuiltinFeedback;
using M = BuiltinMatch;

constexpr bool kCounted = true;
constexpr bool kNotCounted = false;
constexpr bool kReload = true;
constexpr bool kNoReload = false;

// clang-format off
constexpr BuiltinPhrase kRows[] = {
    {1, {"click", ""}, M::Key, kCounted, F::Heard, "", A::Click, "", kReload},
    {2, {"go basic tab", ""}, M::Key, kCounted, F::Heard, "", A::ClickTab, "Basic", kReload},
    {3, {"go fun tab", ""}, M::Key, kCounted, F::Heard, "", A::ClickTab, "Fun", kReload},
    {4, {"go stuff tab", ""}, M::Key, kCounted, F::Heard, "", A::ClickTab, "Stuff", kReload},
    {5, {"go places tab", "go place tab"}, M::Text, kCounted, F::Heard, "", A::ClickTab, "Places", kReload},
    {6, {"go searches tab", "go search tab"}, M::Text, kCounted, F::Heard, "", A::ClickTab, "Searches", kReload},
    {7, {"go music tab", ""}, M::Key, kCounted, F::Heard, "", A::ClickTab, "Music", kReload},
    {8, {"go bookmarks tab", "go bookmark tab"}, M::Text, kCounted, F::Heard, "", A::ClickTab, "Bookmarks", kReload},
    {9, {"go social tab", ""}, M::Key, kCounted, F::Heard, "", A::ClickTab, "Social", kReload},
    {10, {"go options tab", ""}, M::Key, kCounted, F::Heard, "", A::ClickTab, "Options", kReload},
    {11, {"go custom tab", ""}, M::Key, kCounted, F::Heard, "", A::ClickTab, "Custom", kReload},
    {12, {"go client tab", ""}, M::Key, kCounted, F::Heard, "", A::Nothing, "", kReload},
    {13, {"login to myspace", "login to my space"}, M::Text, kCounted, F::WhenLoginShown, "login to myspace", A::Login, "myspace", kReload},
    {14, {"login to bebo", ""}, M::Text, kCounted, F::None, "", A::Nothing, "", kReload},
    {15, {"login to facebook", "login to face book"}, M::Text, kCounted, F::WhenLoginShown, "login to facebook", A::Login, "facebook", kReload},
    {16, {"select home location", ""}, M::Key, kCounted, F::Heard, "", A::SelectPlace, "home", kNoReload},
    {17, {"select office location", ""}, M::Key, kCounted, F::Heard, "", A::SelectPlace, "office", kNoReload},
    {18, {"select cafe location", ""}, M::Key, kCounted, F::Heard, "", A::SelectPlace, "cafe", kNoReload},
    {19, {"select travel location", ""}, M::Key, kCounted, F::Heard, "", A::SelectPlace, "travel", kNoReload},
    {20, {"select other location", ""}, M::Key, kCounted, F::Heard, "", A::SelectPlace, "other", kNoReload},
    {21, {"select zip location", ""}, M::Key, kNotCounted, F::Heard, "", A::StartZipDictation, "", kReload},
    {22, {"select city location", ""}, M::Key, kNotCounted, F::Heard, "", A::StartCityDictation, "", kReload},
    {23, {"double click", ""}, M::Key, kCounted, F::Heard, "", A::DoubleClick, "", kReload},
    {24, {"activate computer microphone", "activate computer micro phone"}, M::Text, kCounted, F::Fixed, "activate computer microphone", A::Wake, "", kNoReload},
    {25, {"mute computer microphone", "mute computer micro phone"}, M::Text, kCounted, F::Fixed, "mute computer microphone", A::Sleep, "", kNoReload},
    {26, {"start menu", ""}, M::Key, kCounted, F::Heard, "", A::StartMenu, "", kReload},
    {27, {"restore", ""}, M::Key, kCounted, F::Heard, "", A::Restore, "", kReload},
    {28, {"close", ""}, M::Key, kCounted, F::Heard, "", A::Close, "", kReload},
    {29, {"context menu", ""}, M::Key, kCounted, F::Heard, "", A::ContextMenu, "", kReload},
    {30, {"go control panel", ""}, M::Key, kCounted, F::Heard, "", A::ControlPanel, "", kReload},
    {31, {"go windows explorer", ""}, M::Key, kCounted, F::Heard, "", A::Explorer, "", kReload},
    {32, {"go calculator", ""}, M::Key, kCounted, F::Heard, "", A::Calculator, "", kReload},
    {33, {"go media player", ""}, M::Key, kCounted, F::Heard, "", A::MediaPlayer, "", kReload},
    {34, {"go screen display", ""}, M::Key, kCounted, F::Heard, "", A::ScreenDisplay, "", kReload},
    {35, {"conceal kelvo", "conceal kelvee"}, M::Key, kCounted, F::Fixed, "conceal kelvo", A::Conceal, "", kReload},
    {36, {"display kelvo", "display kelvee"}, M::Text, kCounted, F::Fixed, "display kelvo", A::Display, "", kReload},
    {37, {"get webcam", ""}, M::Key, kCounted, F::Heard, "", A::Webcam, "", kReload},
    {38, {"get help", ""}, M::Key, kCounted, F::Heard, "", A::Help, "", kReload},
    {39, {"quickstart", ""}, M::Key, kCounted, F::Heard, "", A::Quickstart, "", kReload},
    {40, {"quit kelvo", "quit kelvee"}, M::Key, kNotCounted, F::Heard, "", A::Quit, "", kReload},
};
// clang-format on

bool keyMatches(std::string_view trimmedKey, std::string_view phrase) {
    // "[Text=" + phrase + ", RecoType=0]" without building it.
    constexpr std::string_view kHead = "[Text=";
    constexpr std::string_view kTail = ", RecoType=0]";
    return trimmedKey.size() == kHead.size() + phrase.size() + kTail.size() &&
           trimmedKey.starts_with(kHead) && trimmedKey.ends_with(kTail) &&
           trimmedKey.substr(kHead.size(), phrase.size()) == phrase;
}

bool rowMatches(const BuiltinPhrase& row, std::string_view trimmedKey,
                std::string_view trimmedText) {
    for (const std::string_view variant : row.variants) {
        if (variant.empty()) {
            continue;
        }
        const bool hit = row.match == BuiltinMatch::Key ? keyMatches(trimmedKey, variant)
                                                        : trimmedText == variant;
        if (hit) {
            return true;
        }
    }
    return false;
}

} // namespace

std::span<const BuiltinPhrase> builtinPhrases() {
    return kRows;
}

const BuiltinPhrase* findBuiltinPhrase(std::string_view trimmedKey, std::string_view trimmedText) {
    for (const BuiltinPhrase& row : kRows) {
        if (rowMatches(row, trimmedKey, trimmedText)) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace kelvo
