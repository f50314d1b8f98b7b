#pragma once

#include <array>
#include <span>
#include <string_view>

namespace kelvo {

/// How a built-in phrase is compared: with the whole key (standard
/// recognitions only) or with the phrase text (any recognition type). Both
/// compare exactly, case included.
enum class BuiltinMatch { Key, Text };

/// What a built-in phrase echoes before it acts.
enum class BuiltinFeedback {
    Heard,          // the phrase as heard
    Fixed,          // the row's text
    WhenLoginShown, // the row's text, only when its login switch is on
    None,
};

enum class BuiltinAction {
    Click,
    DoubleClick,
    ContextMenu,
    ClickTab,
    Nothing,
    Login,
    SelectPlace,
    StartZipDictation,
    StartCityDictation,
    Wake,
    Sleep,
    StartMenu,
    Restore,
    Close,
    ControlPanel,
    Explorer,
    Calculator,
    MediaPlayer,
    ScreenDisplay,
    Conceal,
    Display,
    Webcam,
    Help,
    Quickstart,
    Quit,
};

/// One row of the built-in phrase table.
struct BuiltinPhrase {
    int number;
    std::array<std::string_view, 2> variants; // the second may be empty
    BuiltinMatch match;
    bool counted;
    BuiltinFeedback feedback;
    std::string_view feedbackText;
    BuiltinAction action;
    std::string_view argument; // tab tag, place key or login site
    bool reloadCheck;          // the road ends with the counter reload
};

/// The 40 built-in phrases in the order they are tried.
std::span<const BuiltinPhrase> builtinPhrases();

/// The first row that matches the trimmed key or the trimmed phrase text;
/// null when none does.
const BuiltinPhrase* findBuiltinPhrase(std::string_view trimmedKey, std::string_view trimmedText);

} // namespace kelvo
