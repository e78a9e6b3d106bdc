// Scripted answers applied around a host's own handler, as the control port
// queues them.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "platform/servers/core/ControlBoard.h"
#include "platform/servers/core/ControlPort.h"
#include "platform/servers/core/HostRouter.h"
#include "tests/servers/support/ServerThread.h"

namespace pimlo::servers {
namespace {

using testing::ServerThread;

class HostRouterTest : public ::testing::Test {
protected:
    HostRouterTest() {
        HostRouter router(server_, board_, "ocr");
        router.Post("/answer", [this](const httplib::Request&, httplib::Response& response,
                                      const ScriptedAnswer* script) {
            seenScript_ = script != nullptr;
            seenExpired_ = script && script->expiredToken;
            response.set_content("0123456789", "text/plain");
        });
    }

    ScriptedAnswer Script(std::string path = {}) {
        ScriptedAnswer script;
        script.host = "ocr";
        script.path = std::move(path);
        return script;
    }

    httplib::Server server_;
    ControlBoard board_;
    bool seenScript_ = false;
    bool seenExpired_ = false;
    ServerThread thread_{server_};
};

TEST_F(HostRouterTest, WithoutAScriptTheHostAnswersItselfAndTheRequestIsRecorded) {
    auto answer = thread_.Client()->Post("/answer?x=1", "image=abc", "text/plain");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, "0123456789");
    EXPECT_FALSE(seenScript_);

    Json::Value received = board_.Requests("ocr");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0]["method"].asString(), "POST");
    EXPECT_EQ(received[0]["path"].asString(), "/answer");
    EXPECT_EQ(received[0]["params"]["x"].asString(), "1");
    EXPECT_EQ(received[0]["body"].asString(), "image=abc");
    EXPECT_EQ(board_.Requests("update").size(), 0u);

    // The time the host took is added up per path.
    Json::Value times = board_.HandlingTimes("ocr");
    EXPECT_EQ(times["/answer"]["count"].asInt(), 1);
    EXPECT_GE(times["/answer"]["ms"].asDouble(), 0.0);
    board_.Reset();
    EXPECT_TRUE(board_.HandlingTimes("ocr").empty());
}

TEST_F(HostRouterTest, AGivenStatusAndBodyReplaceTheHostsAnswerOnce) {
    ScriptedAnswer script = Script("/answer");
    script.status = 503;
    script.body = "{\"busy\":true}";
    board_.Script(script);

    auto first = thread_.Client()->Post("/answer", "", "text/plain");
    auto second = thread_.Client()->Post("/answer", "", "text/plain");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->status, 503);
    EXPECT_EQ(first->body, "{\"busy\":true}");
    EXPECT_FALSE(seenScript_) << "the host's handler must not run under a given answer";
    EXPECT_EQ(second->body, "0123456789");
}

TEST_F(HostRouterTest, HostSpecificPartsReachTheHandler) {
    ScriptedAnswer script = Script();
    script.expiredToken = true;
    board_.Script(script);

    auto answer = thread_.Client()->Post("/answer", "", "text/plain");
    ASSERT_TRUE(answer);
    EXPECT_TRUE(seenScript_);
    EXPECT_TRUE(seenExpired_);
}

TEST_F(HostRouterTest, ScriptsForOtherPathsOrHostsWait) {
    ScriptedAnswer otherPath = Script("/elsewhere");
    otherPath.status = 500;
    ScriptedAnswer otherHost = Script();
    otherHost.host = "update";
    otherHost.status = 500;
    board_.Script(otherPath);
    board_.Script(otherHost);

    auto answer = thread_.Client()->Post("/answer", "", "text/plain");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_TRUE(board_.Take("ocr", "/elsewhere").has_value());
    EXPECT_TRUE(board_.Take("update", "/anything").has_value());
}

TEST_F(HostRouterTest, ClosingEarlyAnnouncesTheWholeLengthButSendsHalf) {
    ScriptedAnswer script = Script("/answer");
    script.closeEarly = true;
    board_.Script(script);

    httplib::Client client("127.0.0.1", thread_.Port());
    std::string received;
    auto answer = client.Post("/answer", "", "text/plain");
    // The client sees a broken transfer: no complete answer.
    EXPECT_FALSE(answer);
    auto after = client.Post("/answer", "", "text/plain");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->body, "0123456789");
}

TEST_F(HostRouterTest, ADelayHoldsTheAnswerBack) {
    ScriptedAnswer script = Script();
    script.delayMs = 300;
    board_.Script(script);

    auto start = std::chrono::steady_clock::now();
    auto answer = thread_.Client()->Post("/answer", "", "text/plain");
    auto waited = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(answer);
    EXPECT_GE(waited, std::chrono::milliseconds(300));
}

TEST(ControlPort, QueuesScriptsInOrderAndReportsAndForgetsRequests) {
    httplib::Server server;
    ControlBoard board;
    MountControlPort(server, board);
    ServerThread thread(server);
    auto client = thread.Client();

    auto queued = client->Post("/script",
                               R"([{"host":"ocr","status":500},{"host":"ocr","errorCode":17,)"
                               R"("path":"/p","closeEarly":true}])",
                               "application/json");
    ASSERT_TRUE(queued);
    EXPECT_EQ(queued->status, 200);
    auto first = board.Take("ocr", "/p");
    auto second = board.Take("ocr", "/p");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->status, 500);
    EXPECT_EQ(second->errorCode, 17);
    EXPECT_TRUE(second->closeEarly);

    for (const char* bad : {"not json", "{\"path\":\"/p\"}", "[]", "[{\"host\":\"ocr\"}, 5]"}) {
        auto refused = client->Post("/script", bad, "application/json");
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, 400) << bad;
    }
    EXPECT_FALSE(board.Take("ocr", "/p")) << "a refused batch must queue nothing";

    httplib::Request request;
    request.method = "GET";
    request.path = "/windows/newversion.htm";
    board.Record("update", request);
    auto listed = client->Get("/requests?host=update");
    ASSERT_TRUE(listed);
    EXPECT_NE(listed->body.find("/windows/newversion.htm"), std::string::npos);

    ASSERT_TRUE(client->Post("/reset", "", "text/plain"));
    EXPECT_EQ(board.Requests("update").size(), 0u);
}

// Sends a request as raw bytes on a connection that stays open, as a client
// that waits for the answer does, and returns the answer's status line.
std::string StatusLineFor(int port, const std::string& request) {
    const int connection = socket(AF_INET, SOCK_STREAM, 0);
    timeval timeout = {10, 0};
    setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        send(connection, request.data(), request.size(), 0) ==
            static_cast<ssize_t>(request.size())) {
        char buffer[256];
        ssize_t got = 0;
        while (answer.find("\r\n") == std::string::npos &&
               (got = recv(connection, buffer, sizeof(buffer), 0)) > 0)
            answer.append(buffer, static_cast<size_t>(got));
    }
    close(connection);
    return answer.substr(0, answer.find("\r\n"));
}

TEST(ControlPort, ResetIsAcceptedWithOrWithoutABody) {
    httplib::Server server;
    ControlBoard board;
    MountControlPort(server, board);
    ServerThread thread(server);
    for (const char* request : {
             "POST /reset HTTP/1.1\r\nHost: control\r\n\r\n",
             "POST /reset HTTP/1.1\r\nHost: control\r\nContent-Length: 0\r\n\r\n",
             "POST /reset HTTP/1.1\r\nHost: control\r\nContent-Length: 2\r\n\r\n{}",
         }) {
        httplib::Request recorded;
        recorded.method = "GET";
        recorded.path = "/windows/newversion.htm";
        board.Record("update", recorded);

        EXPECT_EQ(StatusLineFor(thread.Port(), request), "HTTP/1.1 200 OK") << request;
        EXPECT_EQ(board.Requests("update").size(), 0u) << request;
    }
}

}  // namespace
}  // namespace pimlo::servers
