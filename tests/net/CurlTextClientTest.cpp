#include <gtest/gtest.h>

#include <string>

#include "common/Base64.h"
#include "net/CurlTextClient.h"
#include "tests/support/LoopbackHttpServer.h"

namespace {

std::wstring WideOrigin(const LoopbackHttpServer& server) {
    std::string origin = server.Origin();
    return std::wstring(origin.begin(), origin.end());
}

}  // namespace

TEST(CurlTextClientGetText, DecodesUtf8AndSendsTheUpdateCredentials) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, "version=2.1 \xe4\xb8\xad\xe6\x96\x87", "text/html"});
    CurlTextClient client(CurlTextClient::AnswerEncoding::Utf8);

    EXPECT_EQ(client.GetText(WideOrigin(server) + L"/windows/newversion.htm"),
              L"version=2.1 \u4e2d\u6587");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Header("Authorization"), "Basic " + Base64Encode("abcd:wxyz"));
}

TEST(CurlTextClientGetText, DecodesTheAnsiCodePage) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, "\xd6\xd0\xce\xc4", "text/html"});
    CurlTextClient client(CurlTextClient::AnswerEncoding::Ansi);
    EXPECT_EQ(client.GetText(WideOrigin(server) + L"/"), L"\u4e2d\u6587");
}

TEST(CurlTextClientGetText, KeepsCharactersThatArriveInTwoChunks) {
    // libcurl hands over at most 16 KiB at a time, so the character that
    // starts one byte before that boundary arrives in two pieces.
    std::string body(16 * 1024 - 1, 'a');
    body += "\xe4\xb8\xad";
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, body, "text/plain"});
    std::wstring text =
        CurlTextClient(CurlTextClient::AnswerEncoding::Utf8).GetText(WideOrigin(server) + L"/");
    EXPECT_EQ(text, std::wstring(16 * 1024 - 1, L'a') + L"\u4e2d");
}

TEST(CurlTextClientGetText, DamagedOrCutUtf8KeepsTheTextAroundIt) {
    struct Case {
        std::string body;
        bool closeEarly;  // only the first half of the body is sent
        const wchar_t* text;
    };
    const Case cases[] = {
        {"ab\xff"
         "cd",
         false, L"ab\ufffdcd"},
        {"\xe4\xb8\xad\xe6\x96"
         "x",
         false, L"\u4e2d\ufffdx"},
        {"ab\xe4\xb8\xadx", true, L"ab\ufffd"},
    };
    for (const Case& c : cases) {
        LoopbackHttpServer server;
        server.Answer(ScriptedResponse{200, c.body, "text/plain", 0, false, c.closeEarly});
        EXPECT_EQ(
            CurlTextClient(CurlTextClient::AnswerEncoding::Utf8).GetText(WideOrigin(server) + L"/"),
            c.text)
            << c.body;
    }
}

TEST(CurlTextClientPostForm, SendsTheFormInTheAnsiCodePage) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, "ok", "text/plain"});
    CurlTextClient client(CurlTextClient::AnswerEncoding::Utf8);
    std::wstring answer;

    EXPECT_TRUE(client.PostForm(WideOrigin(server) + L"/ocr.ashx", L"user", L"pass",
                                L"name=\u4e2d\u6587&n=1", answer));
    EXPECT_EQ(answer, L"ok");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].body, "name=\xd6\xd0\xce\xc4&n=1");
    EXPECT_EQ(requests[0].Header("Authorization"), "Basic " + Base64Encode("user:pass"));
}

TEST(CurlTextClientPostForm, FailureGivesFalseWithWhatArrived) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, "partial!", "text/plain", 0, false, /*closeEarly=*/true});
    std::wstring answer;
    EXPECT_FALSE(CurlTextClient(CurlTextClient::AnswerEncoding::Utf8)
                     .PostForm(WideOrigin(server) + L"/", L"", L"", L"a=1", answer));
    EXPECT_EQ(answer, L"part");
}

TEST(CurlTextClientGetText, SilentServerEndsInsteadOfHanging) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, "", "text/plain", 0, /*neverAnswer=*/true});
    CurlTextClient client(CurlTextClient::AnswerEncoding::Utf8);
    client.stallSeconds = 1;
    EXPECT_EQ(client.GetText(WideOrigin(server) + L"/"), L"");
}
