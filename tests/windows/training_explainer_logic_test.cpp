#include "windows/training_explainer_logic.h"

#include "fakes/fake_window_registry.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct ExplainerView : TrainingExplainerView {
    void setCaption(const std::string&) override {}
    void setSections(const std::vector<std::pair<std::string, std::string>>&) override {}
    void setLink(Link, const std::string&, const std::string&) override {}
    void setHelpImage(int i) override { image = i; }
    void hideWindow() override { hidden = true; }
    int image = 0;
    bool hidden = false;
};

TEST(TrainingExplainerLogic, EachLinkOpensItsWindowAndHidesTheExplainer) {
    using Link = TrainingExplainerView::Link;
    const struct {
        Link link;
        std::string shown;
        std::string mode;
    } cases[] = {
        {Link::SelectProfile, "frmselectprofile", "Select"},
        {Link::TrainProfile, "frmtrainprofile", ""},
        {Link::CreateProfile, "frmcreateprofile", ""},
        {Link::ConfigureMic, "", ""},
    };
    for (const auto& c : cases) {
        fakes::FakeWindowRegistry windows;
        SpeechState speech;
        int microphone = 0;
        std::vector<std::string> topics;
        std::string modeShown;
        windows.onShow["frmselectprofile"] = [&] { modeShown = speech.profileDialogMode; };
        ExplainerView view;
        TrainingExplainerLogic logic(view, {windows, speech, [&] { ++microphone; },
                                            [&](const std::string& t) { topics.push_back(t); }});
        logic.open();
        logic.clickLink(c.link);
        EXPECT_TRUE(view.hidden);
        // The mode is for the wizard it opens, not for the next plain one.
        EXPECT_EQ(modeShown, c.mode);
        EXPECT_EQ(speech.profileDialogMode, "");
        EXPECT_EQ(microphone, c.link == Link::ConfigureMic ? 1 : 0);
        if (!c.shown.empty()) {
            EXPECT_TRUE(windows.shown(c.shown)) << c.shown;
        }
        logic.pointerOverHelp();
        logic.pointerOverHelp();
        EXPECT_EQ(view.image, 2);
        logic.pointerOverBackdrop();
        EXPECT_EQ(view.image, 1);
        logic.clickHelp();
        EXPECT_EQ(topics, (std::vector<std::string>{"training.html"}));
        logic.closed();
        EXPECT_TRUE(windows.shown("mouse"));
    }
}

} // namespace
} // namespace kelvo
