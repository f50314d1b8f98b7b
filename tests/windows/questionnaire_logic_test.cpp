#include "windows/questionnaire_logic.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_random_source.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "platform/shell.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "test_paths.h"
#include "windows/questionnaire_view.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

struct FakePrompt : QuestionnaireView {
    void showPrompt() override {
        if (!open) {
            ++timerStarts;
        }
        open = true;
    }
    void closePrompt() override { open = false; }
    bool open = false;
    int timerStarts = 0;
};

class QuestionnaireTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    fakes::FakeClock clock;
    fakes::FakeRandomSource random;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    SettingsFile settings{dir / "mouse.ini", errors};
    QuestionnaireState state;
    FakePrompt prompt;
    std::vector<std::string> opened;
    QuestionnaireLogic logic{state,
                             prompt,
                             settings,
                             boxes,
                             app,
                             clock,
                             random,
                             [this](const std::string& target) {
                                 opened.push_back(target);
                                 return shell_result::kStarted;
                             },
                             KELVO_RESOURCES_DIR,
                             dir.path()};

    void SetUp() override { clock.set({2009, 3, 31, 10, 0, 0, 0}); }
    void store(const std::string& yazoo) {
        ASSERT_TRUE(writeFileAtomically(settings.path(), "[Yazoo]\n" + yazoo).ok());
    }
    bool quit() const {
        return std::find(app.calls.begin(), app.calls.end(), "quit") != app.calls.end();
    }
    std::string surveyPage() {
        pugi::xml_document page;
        EXPECT_TRUE(page.load_file((dir / "survey.html").c_str()));
        return std::string(page.select_node("//span[@id='title']").node().child_value()) + "|" +
               page.select_node("//input[@id='surveytype']").node().attribute("value").value() +
               "|" + page.select_node("//input[@id='id']").node().attribute("value").value() + "|" +
               page.select_node("//input[@id='filesize']").node().attribute("value").value();
    }
};

TEST_F(QuestionnaireTest, DueByDisplayStateAndThirtyDays) {
    struct Case {
        std::string yazoo;
        std::string surveyState;
        bool due;
    } cases[] = {
        {"Display=False\nDate=x\n", "", false},
        {"Date=x\n", "1111", false},
        {"Date=x\n", "0011", true},
        {"Date=3/2/2009\n", "", false}, // 29 days ago
        {"Date=3/1/2009\n", "", true},  // 30 days ago
        {"Date=\n", "", true},          // empty or unreadable dates hold nothing back
        {"Date=next tuesday\n", "", true},
    };
    for (const Case& c : cases) {
        store(c.yazoo);
        state.surveyState = c.surveyState;
        prompt.open = false;
        EXPECT_EQ(logic.checkSurveyDue(true), c.due) << c.yazoo << c.surveyState;
        EXPECT_EQ(prompt.open, c.due);
    }
}

TEST_F(QuestionnaireTest, DuringAQuitEveryAnswerAndTheTimerEndTheProgram) {
    for (int answer = 0; answer < 4; ++answer) {
        store("Date=x\nRandom=a12a\n");
        fs::remove(dir / "survey.html");
        app.calls.clear();
        ASSERT_TRUE(logic.checkSurveyDue(true));
        switch (answer) {
        case 0:
            logic.yesClicked();
            break;
        case 1:
            logic.laterClicked();
            break;
        case 2:
            logic.neverClicked();
            EXPECT_EQ(settings.readIni("Yazoo", "Display", "", 10), "False");
            break;
        default:
            logic.timerTicked();
            EXPECT_TRUE(prompt.open); // the unanswered prompt stays
        }
        EXPECT_TRUE(quit()) << answer;
        EXPECT_EQ(fs::exists(dir / "survey.html"), answer == 0) << answer;
    }
}

TEST_F(QuestionnaireTest, TheQuitBelongsToThePromptThatAskedForIt) {
    store("Date=x\n");
    // Opened from the menu: no answer and no tick ends the program.
    logic.menuClicked();
    ASSERT_TRUE(prompt.open);
    logic.timerTicked();
    logic.yesClicked();
    EXPECT_FALSE(quit());
    EXPECT_EQ(opened.size(), 1u);
    // A quit that finds the prompt open takes it over, without a new timer.
    logic.menuClicked();
    ASSERT_TRUE(logic.checkSurveyDue(true));
    EXPECT_EQ(prompt.timerStarts, 2);
    logic.laterClicked();
    EXPECT_TRUE(quit());
}

TEST_F(QuestionnaireTest, PageOfTheNextQuestionnaireFromTheStateOrBothFormsOfLast) {
    struct Case {
        std::string surveyState;
        std::string last;
        std::string page; // title|type, empty for none
        std::string lastAfter;
    } cases[] = {
        {"", "x", "Initial Survey|Initial", "x"},
        {"", "Second", "Third Survey|Third", "Second"},
        {"", "0011", "Third Survey|Third", "0011"}, // as the start-up reply stores it
        {"", "garbage", "Initial Survey|Initial", "garbage"},
        {"0111", "x", "Final Survey|Final", "Third"},
        {"1111", "x", "", "x"},
        {"", "Final", "", "Final"},
    };
    for (const Case& c : cases) {
        store("Date=x\nRandom=a77a\nLast=" + c.last + "\n");
        fs::remove(dir / "survey.html");
        std::string surveyState = c.surveyState;
        logic.prepareSurvey(surveyState, "");
        EXPECT_EQ(settings.readIni("Yazoo", "Last", "", 15), c.lastAfter) << c.last;
        if (c.page.empty()) {
            EXPECT_FALSE(fs::exists(dir / "survey.html")) << c.last;
        } else {
            EXPECT_EQ(surveyPage(), c.page + "|a77a|default") << c.last;
        }
    }
}

TEST_F(QuestionnaireTest, AReplyDateWithinThirtyDaysIsStoredAndHoldsThePageBack) {
    store("Date=x\nRandom=x\n");
    random.queued = {0.25};
    std::string surveyState = "0001";
    logic.prepareSurvey(surveyState, "3/20/2009");
    EXPECT_EQ(settings.readIni("Yazoo", "Date", "", 75), "3/20/2009");
    EXPECT_EQ(settings.readIni("Yazoo", "Last", "", 15), "Initial");
    EXPECT_EQ(settings.readIni("Yazoo", "Random", "", 30), "a250033109a");
    EXPECT_FALSE(fs::exists(dir / "survey.html"));
}

TEST_F(QuestionnaireTest, AMissingTemplateIsReportedAndTheQuitStillGoesOn) {
    QuestionnaireLogic broken{state,
                              prompt,
                              settings,
                              boxes,
                              app,
                              clock,
                              random,
                              [](const std::string&) { return shell_result::kStarted; },
                              dir / "nowhere",
                              dir.path()};
    store("Date=x\nRandom=a1a\n");
    ASSERT_TRUE(broken.checkSurveyDue(true));
    broken.yesClicked();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_NE(dialogs.shown.back().message.find("template.html"), std::string::npos);
    EXPECT_TRUE(quit());
}

TEST_F(QuestionnaireTest, MenuItemSaysWhenItIsNotYetTime) {
    store("Date=3/10/2009\n");
    logic.menuClicked();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Not Ready For Survey");
    EXPECT_FALSE(prompt.open);
}

} // namespace
} // namespace kelvo
