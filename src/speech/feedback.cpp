#include "speech/feedback.h"

#include <vector>

namespace kelvo {

namespace {

/// Byte offsets where each UTF-8 character starts, so cuts never split one.
std::vector<std::size_t> characterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    return starts;
}

std::string firstCharacters(const std::string& text, const std::vector<std::size_t>& starts,
                            std::size_t count) {
    return count < starts.size() ? text.substr(0, starts[count]) : text;
}

constexpr std::size_t kFeedbackCutFrom = 45;
constexpr std::size_t kFeedbackKeepAtMost = 42;
constexpr std::size_t kLocationCutFrom = 35;
constexpr std::size_t kLocationKeep = 32;

void showListeningTray(FeedbackPort& port) {
    port.setTrayIcon(TrayIconKind::Listening, kListeningTip);
}

} // namespace

std::string shortenFeedback(const std::string& text) {
    const auto starts = characterStarts(text);
    if (starts.size() < kFeedbackCutFrom)
        return text;
    // The last blank that leaves at most 42 characters before it.
    std::size_t keep = kFeedbackKeepAtMost;
    for (std::size_t index = kFeedbackKeepAtMost; index-- > 0;) {
        if (text[starts[index]] == ' ') {
            keep = index;
            break;
        }
    }
    // Without such a blank the phrase is cut after 42 characters so it still
    // fits the feedback line.
    return firstCharacters(text, starts, keep) + "...";
}

std::string shortenLocation(const std::string& location) {
    const auto starts = characterStarts(location);
    if (starts.size() < kLocationCutFrom)
        return location;
    return firstCharacters(location, starts, kLocationKeep) + "...";
}

void giveFeedback(std::string& text, FeedbackPort& port) {
    text = shortenFeedback(text);
    port.setFeedbackText(kFeedbackPrefix + text);
    port.showBalloon(kFeedbackTitle, text);
    showListeningTray(port);
}

void giveFeedbackTooManyTabs(const std::string& text, FeedbackPort& port) {
    // The tray keeps showing whether kelvo listens: pages open while it
    // sleeps or hears nothing too.
    port.showBalloon("Too Many Browser Tabs Or Browser Windows Open", text);
}

void giveLocationFeedback(std::string& location, SettingsFile& settings, FeedbackPort& port) {
    const std::string old = settings.readIni("Lobuteha", "location", "abc", 150);
    (void)settings.writeIni("Lobuteha", "last", old);
    (void)settings.writeIni("Lobuteha", "location", location);
    location = shortenLocation(location);
    port.setLocationText("Current Location: " + location);
}

} // namespace kelvo
