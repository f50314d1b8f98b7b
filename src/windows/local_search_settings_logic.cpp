#include "windows/local_search_settings_logic.h"

#include "speech/feedback.h"

#include <array>

namespace kelvo {

namespace {

constexpr const char* kSection = "Lobuteha";

struct Place {
    PlaceBox box;
    const char* key;
};

constexpr std::array<Place, 5> kPlaces = {{
    {PlaceBox::Home, "home"},
    {PlaceBox::Office, "office"},
    {PlaceBox::Cafe, "cafe"},
    {PlaceBox::Travel, "travel"},
    {PlaceBox::Other, "other"},
}};

std::string shownValue(const std::string& value) {
    return value == "x" ? std::string() : value;
}

} // namespace

LocalSearchSettingsLogic::LocalSearchSettingsLogic(LocalSearchSettingsView& view,
                                                   SettingsFile& settings, MessageBoxes& boxes,
                                                   WindowRegistry& windows, FeedbackPort& feedback,
                                                   std::function<void(const std::string&)> openHelp)
    : m_view(view), m_settings(settings), m_boxes(boxes), m_windows(windows), m_feedback(feedback),
      m_openHelp(std::move(openHelp)) {}

void LocalSearchSettingsLogic::formLoad() {
    for (const Place& place : kPlaces) {
        m_view.setBoxText(place.box, shownValue(m_settings.readIni(kSection, place.key, "", 100)));
    }
    m_view.setCurrentLocation(shownValue(m_settings.readIni(kSection, "location", "", 100)));
}

void LocalSearchSettingsLogic::saveClicked() {
    const std::string home = m_view.boxText(PlaceBox::Home);
    if (home.empty()) {
        m_boxes.custMsgBox("title", "ok",
                           "You must enter at least your home location before saving your local "
                           "search settings.",
                           true);
        return;
    }
    for (const Place& place : kPlaces) {
        const std::string text = m_view.boxText(place.box);
        if (!text.empty()) {
            (void)m_settings.writeIni(kSection, place.key, text);
        }
    }
    (void)m_settings.writeIni(kSection, "location", home);
    // The main window's label shows the location searches now use.
    m_feedback.setLocationText("Current Location: " + shortenLocation(home));
    m_view.closeWindow();
}

void LocalSearchSettingsLogic::cancelClicked() {
    m_view.closeWindow();
}

void LocalSearchSettingsLogic::localHelpClicked() {
    m_openHelp("tab_search.html#search_local");
}

void LocalSearchSettingsLogic::generalHelpClicked() {
    m_openHelp("tab_search.html#search_regular");
}

void LocalSearchSettingsLogic::formUnload() {
    m_windows.showWindow(kMainWindowName);
}

} // namespace kelvo
