#pragma once

#include "windows/local_search_settings_view.h"
#include "windows/social_setup_view.h"
#include "windows/voip_settings_view.h"

#include <map>
#include <string>

namespace kelvo::fakes {

/// A settings dialog's boxes held in a map; a test types into `boxes`.
template <typename View, typename Box> class FakeFormView : public View {
public:
    void setBoxText(Box box, const std::string& text) override { boxes[box] = text; }
    std::string boxText(Box box) const override {
        auto it = boxes.find(box);
        return it == boxes.end() ? std::string() : it->second;
    }
    void closeWindow() override { ++closed; }

    std::map<Box, std::string> boxes;
    int closed = 0;
};

using FakeSocialSetupView = FakeFormView<SocialSetupView, SocialSetupBox>;
using FakeVoipSettingsView = FakeFormView<VoipSettingsView, VoipBox>;

class FakeLocalSearchSettingsView : public FakeFormView<LocalSearchSettingsView, PlaceBox> {
public:
    void setCurrentLocation(const std::string& text) override { currentLocation = text; }
    std::string currentLocation;
};

} // namespace kelvo::fakes
