#pragma once

#include "services/settings_file.h"
#include "speech/feedback_port.h"

#include <string>

namespace kelvo {

/// Title of the feedback balloon and prefix of the feedback line.
inline constexpr const char* kFeedbackTitle = "I Heard";
inline constexpr const char* kFeedbackPrefix = "I Heard: ";
inline constexpr const char* kListeningTip = "Kelvo Is Listening";
inline constexpr const char* kNotListeningTip = "Kelvo Is NOT Listening";

/// A phrase of 45 characters or more, cut before its last blank among the
/// first 42 characters (or after 42 characters when there is none) and
/// followed by "..."; shorter phrases unchanged. Characters, not bytes.
std::string shortenFeedback(const std::string& text);

/// A location of 35 characters or more as its first 32 and "...".
std::string shortenLocation(const std::string& location);

/// Shows "I Heard: " and the phrase in the main window and a balloon, and
/// the listening tray icon. The caller's text becomes the shortened one.
void giveFeedback(std::string& text, FeedbackPort& port);

/// Warns in a balloon that too many browser windows are open; the tray
/// icon and tip stay as the listening state set them.
void giveFeedbackTooManyTabs(const std::string& text, FeedbackPort& port);

/// Remembers the location (the previous one as `last`) and shows it,
/// shortened, in the main window. The caller's text becomes the shown one.
void giveLocationFeedback(std::string& location, SettingsFile& settings, FeedbackPort& port);

} // namespace kelvo
