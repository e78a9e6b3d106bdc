#include <curl/curl.h>
#include <gtest/gtest.h>

#include <string>

#include "net/ServiceTransport.h"
#include "tests/support/LoopbackHttpServer.h"

namespace {

// Short time-outs, so that a silent server fails the request quickly.
ServiceTransport QuickTransport() {
    ServiceTransport transport;
    transport.settings.connectTimeoutMs = 2000;
    transport.settings.timeoutMs = 1000;
    return transport;
}

}  // namespace

TEST(UrlWithQuery, AppendsAfterQuestionMarkOrAmpersand) {
    EXPECT_EQ(UrlWithQuery("http://h/p", {{"b", "2"}, {"a", "1"}}), "http://h/p?a=1&b=2&");
    EXPECT_EQ(UrlWithQuery("http://h/p?x=1", {{"a", "1"}}), "http://h/p?x=1&a=1&");
    EXPECT_EQ(UrlWithQuery("http://h/p?x=1", {}), "http://h/p?x=1");
}

TEST(ServiceTransportPost, SendsBodyQueryAndHeadersAsGiven) {
    LoopbackHttpServer server;
    server.AnswerJson(R"({"ok":1})");
    std::string body("a=1&\0binary\xff&", 14);
    std::string response;

    int code = QuickTransport().Post(server.Origin() + "/rest/x?y=z", {{"k", "v w"}}, body,
                                     {{"X-One", "1"}, {"X-Two", "b c"}}, response);

    ASSERT_EQ(code, CURLE_OK);
    EXPECT_EQ(response, R"({"ok":1})");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].path, "/rest/x");
    EXPECT_EQ(requests[0].query, "y=z&k=v%20w&");
    EXPECT_EQ(requests[0].body, body);
    EXPECT_EQ(requests[0].Header("Content-Length"), "14");
    EXPECT_EQ(requests[0].Header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(requests[0].Header("X-One"), "1");
    EXPECT_EQ(requests[0].Header("X-Two"), "b c");
}

TEST(ServiceTransportPost, EmptyQueryAndEmptyBody) {
    LoopbackHttpServer server;
    server.AnswerJson("{}");
    std::string response;
    ASSERT_EQ(QuickTransport().Post(server.Origin() + "/p", {}, "", {}, response), CURLE_OK);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].query, "");
    EXPECT_EQ(requests[0].body, "");
    EXPECT_EQ(requests[0].Header("Content-Length"), "0");
}

TEST(ServiceTransportGet, SendsNoBodyAndReturnsTheAnswer) {
    LoopbackHttpServer server;
    server.AnswerJson("token answer");
    std::string response;
    ASSERT_EQ(QuickTransport().Get(server.Origin() + "/oauth?a=1&", response), CURLE_OK);
    EXPECT_EQ(response, "token answer");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].query, "a=1&");
    EXPECT_EQ(requests[0].body, "");
}

TEST(ServiceTransportFailures, ReportLibcurlCodes) {
    std::string response;
    // Nothing listens on the port of a server that has gone.
    std::string goneOrigin;
    {
        LoopbackHttpServer gone;
        goneOrigin = gone.Origin();
    }
    EXPECT_EQ(QuickTransport().Get(goneOrigin + "/", response), CURLE_COULDNT_CONNECT);
    // Refused before any connection or name lookup.
    EXPECT_EQ(QuickTransport().Get("nosuch://127.0.0.1/", response), CURLE_UNSUPPORTED_PROTOCOL);

    LoopbackHttpServer silent;
    silent.Answer(ScriptedResponse{200, "", "text/plain", 0, /*neverAnswer=*/true});
    EXPECT_EQ(QuickTransport().Post(silent.Origin() + "/", {}, "x", {}, response),
              CURLE_OPERATION_TIMEDOUT);
}

TEST(ServiceTransportFailures, KeepsWhatArrivedBeforeTheServerClosed) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, "0123456789", "text/plain", 0, false, /*closeEarly=*/true});
    std::string response;
    EXPECT_EQ(QuickTransport().Get(server.Origin() + "/", response), CURLE_PARTIAL_FILE);
    EXPECT_EQ(response, "01234");
}

TEST(ServiceTransportFailures, UrlWithoutSchemeDoesNotCrash) {
    LoopbackHttpServer server;
    server.AnswerJson("{}");
    std::string response;
    std::string url = server.Origin().substr(std::string("http://").size()) + "/p";
    EXPECT_EQ(QuickTransport().Post(url, {}, "x", {}, response), CURLE_OK);
    EXPECT_EQ(QuickTransport().Get("", response), CURLE_URL_MALFORMAT);
}

TEST(ServiceTransportPost, CarriesAnEnormousBinaryBodyUnchanged) {
    LoopbackHttpServer server;
    server.AnswerJson("{}");
    std::string body(8 * 1024 * 1024, '\0');
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 131 + (i >> 13));
    std::string response;
    ServiceTransport transport = QuickTransport();
    transport.settings.timeoutMs = 60000;

    ASSERT_EQ(transport.Post(server.Origin() + "/big", {}, body, {}, response), CURLE_OK);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].body == body);
}
