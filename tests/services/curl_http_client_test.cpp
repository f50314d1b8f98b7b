#include "services/curl_http_client.h"

#include "fakes/local_http_server.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace kelvo
