#include "services/curl_http_client.h"

#include "fakes/local_http_server.h"

#include <gtest/gtest.h>

#include <thread>

namespace kelvo {
namespace {

using fakes::LocalHttpServer;

std::unique_ptr<CurlHttpClient> makeClient(HttpLimits limits = {}) {
    auto client = CurlHttpClient::create(limits);
    EXPECT_TRUE(client.ok());
    return std::move(client).value();
}

TEST(CurlHttpClientTest, PostsTheFormAndReturnsTheBody) {
    LocalHttpServer server(LocalHttpServer::reply("200 OK", "0000|1/2/2008|x"));
    auto client = makeClient();
    const std::string form = "city=&zip=12345&language=English";
    EXPECT_EQ(client->httpPost(server.url("/upgrade_update/processupdate.aspx"), form),
              "0000|1/2/2008|x");
    EXPECT_EQ(client->lastFailure(), "");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& request = requests[0];
    EXPECT_EQ(request.rfind("POST /upgrade_update/processupdate.aspx HTTP/1.1\r\n", 0), 0u);
    EXPECT_NE(request.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n"),
              std::string::npos);
    EXPECT_TRUE(request.ends_with("\r\n\r\n" + form)) << request;
}

TEST(CurlHttpClientTest, BinaryBodyComesBackWhole) {
    const std::string body("GIF89a\0\x01\xFF", 9);
    LocalHttpServer server(LocalHttpServer::reply("200 OK", body));
    EXPECT_EQ(makeClient()->httpPost(server.url(), "type=coupon1"), body);
}

TEST(CurlHttpClientTest, ErrorStatusGivesEmptyText) {
    for (const char* status : {"404 Not Found", "500 Internal Server Error"}) {
        LocalHttpServer server(LocalHttpServer::reply(status, "<html>oops</html>"));
        auto client = makeClient();
        EXPECT_EQ(client->httpPost(server.url(), "a=b"), "") << status;
        EXPECT_NE(client->lastFailure(), "");
    }
}

TEST(CurlHttpClientTest, UnreachableServerGivesEmptyText) {
    auto client = makeClient();
    int port = 0;
    {
        LocalHttpServer closed(LocalHttpServer::reply("200 OK", "x"));
        port = std::stoi(closed.url().substr(17));
    }
    EXPECT_EQ(client->httpPost("http://127.0.0.1:" + std::to_string(port) + "/", "a=b"), "");
    EXPECT_EQ(client->httpPost("not an address", "a=b"), "");
    EXPECT_EQ(client->httpPost("file:///etc/passwd", ""), "");
}

TEST(CurlHttpClientTest, SilentServerTimesOutWithEmptyText) {
    LocalHttpServer server("", /*silent=*/true);
    HttpLimits limits;
    limits.totalTimeout = std::chrono::milliseconds(300);
    auto client = makeClient(limits);
    EXPECT_EQ(client->httpPost(server.url(), "a=b"), "");
    EXPECT_NE(client->lastFailure().find("imeout"), std::string::npos) << client->lastFailure();
}

TEST(CurlHttpClientTest, OversizedReplyGivesEmptyText) {
    LocalHttpServer server(LocalHttpServer::reply("200 OK", std::string(5000, 'x')));
    HttpLimits limits;
    limits.maxReplyBytes = 1000;
    auto client = makeClient(limits);
    EXPECT_EQ(client->httpPost(server.url(), "a=b"), "");
    EXPECT_EQ(client->lastFailure(), "reply too large");
}

// How each kind of bad service ends, so a run can stop asking one that is
// not there but go on after one bad file.
TEST(CurlHttpClientTest, OutcomeTellsUnreachableFromBadAnswers) {
    HttpLimits limits;
    limits.totalTimeout = std::chrono::milliseconds(300);
    auto client = makeClient(limits);
    int closedPort = 0;
    {
        LocalHttpServer closed(LocalHttpServer::reply("200 OK", "x"));
        closedPort = std::stoi(closed.url().substr(17));
    }
    LocalHttpServer silent("", /*silent=*/true);
    LocalHttpServer failing(LocalHttpServer::reply("500 Internal Server Error", "<html>"));
    LocalHttpServer cut("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n"
                        "only part");
    LocalHttpServer empty(LocalHttpServer::reply("200 OK", ""));
    const struct {
        std::string address;
        HttpOutcome outcome;
    } cases[] = {
        {"http://127.0.0.1:" + std::to_string(closedPort) + "/", HttpOutcome::Unreachable},
        {silent.url(), HttpOutcome::Unreachable},
        {failing.url(), HttpOutcome::Failed},
        {cut.url(), HttpOutcome::Failed},
        {"file:///etc/passwd", HttpOutcome::Failed},
        {empty.url(), HttpOutcome::Answered},
    };
    for (const auto& c : cases) {
        const HttpReply reply = client->post(c.address, "a=b");
        EXPECT_EQ(reply.outcome, c.outcome) << c.address << ": " << reply.failure;
        EXPECT_EQ(reply.body, "") << c.address;
    }
}

TEST(CurlHttpClientTest, StopEndsARequestUnderWay) {
    LocalHttpServer silent("", /*silent=*/true);
    auto client = makeClient();
    std::stop_source stop;
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        stop.request_stop();
    });
    const auto started = std::chrono::steady_clock::now();
    const HttpReply reply = client->post(silent.url(), "a=b", stop.get_token());
    stopper.join();
    EXPECT_EQ(reply.outcome, HttpOutcome::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

} // namespace
} // namespace kelvo
