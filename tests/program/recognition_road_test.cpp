#include "program/recognition_road.h"

#include "fakes/dispatch_rig.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

// The road as the program makes it, on a session without an X display:
// mouse commands say they are unavailable instead of doing nothing.
TEST(RecognitionRoad, WithoutADisplayMouseCommandsReportTheyAreUnavailable) {
    const char* old = std::getenv("DISPLAY");
    const std::string saved = old == nullptr ? "" : old;
    unsetenv("DISPLAY");

    fakes::DispatchRig rig;
    AppState state;
    std::vector<std::string> requests;
    RecognitionRoad road({state, rig.host, rig.boxes, rig.app, rig.windows, rig.feedback,
                          rig.settings, rig.interpreters,
                          [&](const speech::RequestUiEvent& e) { requests.push_back(e.type); }});
    if (old != nullptr) {
        setenv("DISPLAY", saved.c_str(), 1);
    }

    speech::PhraseEvent click;
    click.text = "click";
    road.events().onRecognition(click);
    ASSERT_FALSE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.dialogs.shown.back().title, "Mouse and window commands are unavailable");
    EXPECT_EQ(state.speech.commandCounter, 1);
    EXPECT_EQ(state.dispatch.diagnostics.lines().back(), "recog: click");

    speech::PhraseEvent tab;
    tab.text = "go music tab";
    road.events().onRecognition(tab);
    EXPECT_EQ(rig.host.count("tab Music"), 1);

    road.events().onRequestUI({0, 0, "UserTraining"});
    EXPECT_EQ(requests, std::vector<std::string>{"UserTraining"});
}

} // namespace
} // namespace kelvo
