#include "startup/startup_report.h"

#include "fakes/fake_error_sink.h"
#include "fakes/fake_http_client.h"
#include "fakes/queued_ui_poster.h"
#include "fakes/startup_reply_text.h"
#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

#include <future>

namespace kelvo {
namespace {

// Answers only once the test lets it, as a slow service would.
class GatedClient : public HttpClient {
public:
    std::string httpPost(std::string_view, std::string_view) override { return {}; }
    HttpReply post(std::string_view, std::string_view, std::stop_token stop) override {
        auto opened = gate.get_future();
        while (opened.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
            if (stop.stop_requested()) {
                return HttpReply{0, {}, "stopped", HttpOutcome::Failed};
            }
        }
        return fakes::FakeHttpClient::answer(opened.get());
    }
    std::promise<std::string> gate;
};

class StartupReportTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};
    ExchangeState state;
    fakes::QueuedUiPoster ui;
    StartupReport::PostToUi post = [this](std::function<void()> task) { ui.post(std::move(task)); };
};

TEST_F(StartupReportTest, PostsTheEncodedFormAndTakesInTheReply) {
    fakes::FakeHttpClient client;
    client.replies.push_back(fakes::startupReplyText({{0, "1111"}, {1, "11/2/2026"}, {5, "3"}}));
    settings.writeIni("Yazoo", "Random", "a1&b=2");
    settings.writeIni("Edition", "Edition", "Free edition");
    StartupReport report(state, client, post);
    report.prepare(settings);
    report.send("http://127.0.0.1:9/base", "--12082026-5-1", settings);
    report.settle();
    ASSERT_EQ(client.posts.size(), 1u);
    EXPECT_EQ(client.posts[0].address, "http://127.0.0.1:9/base/upgrade_update/processupdate.aspx");
    EXPECT_EQ(client.posts[0].formText,
              "city=&zip=&email=&age=&sex=&country=&state=&language=English&version=2.7"
              "&edition=Free&id=a1%26b%3D2&productid=4&clientname=Free+edition&oem=0"
              "&operatingsystem=Vista&session=--12082026-5-1");
    EXPECT_TRUE(state.replyOk);
    EXPECT_EQ(settings.readIni("Etowah", "Days", "", 5), "3");
    // The questionnaire's "all done" check works from the reply's state.
    EXPECT_EQ(state.questionnaire.surveyState, "1111");
    EXPECT_EQ(state.questionnaire.surveyDate, "11/2/2026");
}

TEST_F(StartupReportTest, AReplyThatComesLateIsTakenInWhenItComes) {
    GatedClient client;
    int followed = 0;
    StartupReport report(state, client, post);
    report.setLateReplyHandler([&] { ++followed; });
    report.prepare(settings);
    report.send("http://127.0.0.1:9/", "", settings);
    EXPECT_FALSE(report.takeIn());
    EXPECT_FALSE(state.replyOk);
    client.gate.set_value(fakes::startupReplyText({{5, "21"}}));
    while (ui.pending() == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ui.drain();
    EXPECT_TRUE(state.replyOk);
    EXPECT_EQ(followed, 1);
    EXPECT_EQ(settings.readIni("Etowah", "Days", "", 5), "21");
}

TEST_F(StartupReportTest, ABadReplyOrAStoppedOneCountsAsNone) {
    fakes::FakeHttpClient client;
    client.replies.push_back(fakes::startupReplyText({{38, "file:///etc/passwd"}}));
    StartupReport report(state, client, post);
    report.send("http://127.0.0.1:9/", "", settings);
    report.settle();
    EXPECT_FALSE(state.replyOk);
    EXPECT_FALSE(settings.hasKey("Etowah", "Days"));

    GatedClient slow;
    ExchangeState slowState;
    StartupReport stopped(slowState, slow, post);
    stopped.send("http://127.0.0.1:9/", "", settings);
    stopped.settle();
    EXPECT_FALSE(slowState.replyOk);
    EXPECT_FALSE(stopped.pending());
    // Without an address nothing is sent and nothing is awaited.
    StartupReport none(slowState, client, post);
    none.send("", "", settings);
    EXPECT_TRUE(none.takeIn());
    EXPECT_EQ(client.posts.size(), 1u);
}

} // namespace
} // namespace kelvo
