// The report and the downloads against services on 127.0.0.1 that go wrong
// in the ways a real one does, over real HTTP.
#include "fakes/fake_app_control.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_conflicts_notice_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_update_notices.h"
#include "fakes/local_http_server.h"
#include "fakes/queued_ui_poster.h"
#include "fakes/startup_reply_text.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/curl_http_client.h"
#include "startup/content_update.h"
#include "startup/startup_report.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using fakes::LocalHttpServer;

std::unique_ptr<CurlHttpClient> quickClient() {
    HttpLimits limits;
    limits.connectTimeout = std::chrono::milliseconds(300);
    limits.totalTimeout = std::chrono::milliseconds(300);
    return CurlHttpClient::create(limits).value();
}

std::string ok(const std::string& body) {
    return LocalHttpServer::reply("200 OK", body);
}

struct Fault {
    const char* why;
    std::string raw;
    bool silent = false;
};

TEST(ExchangeFaultsTest, ABadReplyWritesNoSetting) {
    const Fault faults[] = {
        {"server error", LocalHttpServer::reply("500 Internal Server Error", "<html>500</html>")},
        {"error page", ok("<html><body>Maintenance</body></html>")},
        {"one field short", ok(fakes::startupReplyText({}, 41))},
        {"file address", ok(fakes::startupReplyText({{38, "file:///etc/passwd"}}))},
        {"program as link", ok(fakes::startupReplyText({{4, "/usr/bin/xterm"}}))},
        {"cut reply", "HTTP/1.1 200 OK\r\nContent-Length: 900\r\n\r\n" + fakes::startupReplyText()},
        {"slow", "", true},
    };
    for (const Fault& fault : faults) {
        fakes::TempDir dir;
        fakes::FakeErrorSink errors;
        SettingsFile settings(dir / "mouse.ini", errors);
        settings.writeIni("Etowah", "Days", "7");
        const std::string before = readWholeFile(dir / "mouse.ini").value();
        LocalHttpServer server(fault.raw, fault.silent);
        auto client = quickClient();
        fakes::QueuedUiPoster ui;
        ExchangeState state;
        StartupReport report(state, *client, [&ui](auto task) { ui.post(std::move(task)); });
        report.send(server.url("/"), "", settings);
        report.settle();
        EXPECT_FALSE(state.replyOk) << fault.why;
        EXPECT_EQ(readWholeFile(dir / "mouse.ini").value(), before) << fault.why;
    }
}

TEST(ExchangeFaultsTest, BadDownloadsKeepEveryGoodFileAndTheUpdateEnds) {
    const Fault faults[] = {
        {"server error", LocalHttpServer::reply("500 Internal Server Error", "<html>500</html>")},
        {"refused", LocalHttpServer::reply("503 Service Unavailable", "")},
        {"cut body", "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n<Grammar><RULE"},
        {"empty body", ok("")},
        {"error page", ok("<html><body>none</body></html>")},
        {"slow", "", true},
    };
    for (const Fault& fault : faults) {
        fakes::TempDir dir;
        const CatalogueFiles files{dir.path(), dir.path() / "docs"};
        const char* kept[] = {"en_CLICK.XML", "commands.xml", "commands_customfree.xml",
                              "coupon1.gif"};
        for (const char* name : kept) {
            ASSERT_TRUE(writeFileAtomically(dir / name, std::string("good ") + name).ok());
        }
        fakes::FakeErrorSink errors;
        SettingsFile settings(dir / "mouse.ini", errors);
        ExchangeState exchange;
        exchange.reply = parseStartupReply(fakes::startupReplyText()).value();
        exchange.replyOk = true;
        LocalHttpServer server(fault.raw, fault.silent);
        auto client = quickClient();
        fakes::FakeUpdateWindowView view;
        UpdateWindowLogic window(view);
        fakes::FakeAppControl control;
        fakes::FakeConflictsNoticePort conflicts;
        fakes::FakeUpgradeNoticePort upgrade;
        fakes::FakeClock clock;
        ContentUpdate update({exchange, settings, *client, files, server.url("/"), window, control,
                              errors, conflicts, upgrade, clock});
        update.run();
        for (const char* name : kept) {
            EXPECT_EQ(readWholeFile(dir / name).value(), std::string("good ") + name)
                << fault.why << " " << name;
        }
        EXPECT_FALSE(settings.hasKey("Etowah", "CmdFileDate")) << fault.why;
        EXPECT_FALSE(settings.hasKey("Etowah", "coupon1")) << fault.why;
        // Files it meant to fetch did not come: a failed update, asked again
        // next time.
        EXPECT_EQ(view.calls.back(), fault.silent ? "message Update Failed - the update service "
                                                    "could not be reached.  kelvo will try again "
                                                    "at the next close."
                                                  : "message Update Failed - the update service "
                                                    "did not send every file.  kelvo will try "
                                                    "again at the next close.")
            << fault.why;
        EXPECT_FALSE(settings.hasKey("Etowah", "Last")) << fault.why;
        EXPECT_TRUE(errors.reports.empty()) << fault.why;
        // A service too slow to answer is asked once, not eighteen times.
        EXPECT_EQ(server.requests().size(), fault.silent ? 1u : 18u) << fault.why;
    }
}

} // namespace
} // namespace kelvo
