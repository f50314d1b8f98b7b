#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvo {

/// The key every built-in and catalogue phrase is compared with: a blank,
/// "[Text=", the phrase, ", RecoType=", the type part and "]".
std::string matchKey(std::string_view phraseText, std::string_view typePart);

/// The key of a recognition: its type written in decimal (0 standard).
std::string recognitionKey(std::string_view phraseText, int recognitionType);

/// The key of a hypothesis or false recognition: type part "junk", so it
/// never matches a phrase.
std::string junkKey(std::string_view phraseText);

/// The trimmed key a standard recognition of this phrase gives.
std::string standardKeyOf(std::string_view phrase);

/// The text without leading and trailing blanks, tabs and line breaks.
std::string_view trimmed(std::string_view text);

/// What an interference report adds to the diagnostic list after
/// "interference: ", by the engine's code; empty for no signal and for
/// codes without a text.
std::string interferenceText(int code);

/// What the main window's signal line shows after the code: the no-signal
/// warning, nothing once the signal is back (code 0), and no change for
/// the other codes.
std::optional<std::string> interferenceSignalText(int code);

} // namespace kelvo
