#include <windows.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/Base64.h"
#include "common/StringConversion.h"
#include "net/CurlByteClient.h"
#include "tests/net/TraceRecorder.h"
#include "tests/support/LoopbackHttpServer.h"

using ::testing::ElementsAre;

namespace {

// A fresh folder under the temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = std::filesystem::path(base) /
                (L"pimlo-net-\u6587\u4ef6-" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() { std::filesystem::remove_all(path_); }
    std::filesystem::path operator/(const std::wstring& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Utf8Path(const std::filesystem::path& path) { return WideToUtf8(path.wstring()); }

}  // namespace

TEST(CurlByteClientGet, SendsCredentialsAndReturnsTheBody) {
    LoopbackHttpServer server;
    server.AnswerJson(std::string("{\"a\":\"\xe4\xb8\xad\"}\0tail", 16));
    CurlByteClient client;

    std::string answer = client.Get(server.Origin() + "/user?id=1", "u", "p:w");

    EXPECT_EQ(answer, std::string("{\"a\":\"\xe4\xb8\xad\"}\0tail", 16));
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].Header("Authorization"), "Basic " + Base64Encode("u:p:w"));
}

TEST(CurlByteClientGet, StartsEveryCallWithNothingReceived) {
    LoopbackHttpServer server;
    server.AnswerJson("first");
    server.AnswerJson("second");
    CurlByteClient client;
    EXPECT_EQ(client.Get(server.Origin() + "/", "", ""), "first");
    EXPECT_EQ(client.Get(server.Origin() + "/", "", ""), "second");
}

TEST(CurlByteClientPostJson, SendsJsonContentTypeAndBody) {
    LoopbackHttpServer server;
    server.AnswerJson("{\"code\":0}");
    CurlByteClient client;

    std::string answer = client.PostJson(server.Origin() + "/login", "{\"m\":\"1\"}", "u", "p");

    EXPECT_EQ(answer, "{\"code\":0}");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body, "{\"m\":\"1\"}");
    EXPECT_EQ(requests[0].Header("Content-Type"), "application/json;charset=UTF-8");
}

TEST(CurlByteClientPostJson, SilentServerGivesEmptyAnswerAndTimeOutTrace) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, "", "text/plain", 0, /*neverAnswer=*/true});
    TraceRecorder traces;
    CurlByteClient client;

    EXPECT_EQ(client.PostJson(server.Origin() + "/", "{}", "", ""), "");
    EXPECT_THAT(traces.Lines(), ElementsAre(L"curl_easy_perform error = 28\n"));
}

TEST(CurlByteClientDownload, WritesTheFileAtAUtf8Path) {
    LoopbackHttpServer server;
    std::string sheet(100000, '\0');
    for (size_t i = 0; i < sheet.size(); ++i) sheet[i] = static_cast<char>(i * 7);
    server.Answer(ScriptedResponse{200, sheet, "application/octet-stream"});
    TemporaryFolder folder;
    auto target = folder / L"\ud55c\uad6d\uc5b4 \U0001F600.xls";

    EXPECT_TRUE(CurlByteClient().Download(server.Origin() + "/sheet.xls", Utf8Path(target)));
    EXPECT_EQ(ReadFile(target), sheet);
}

TEST(CurlByteClientDownload, MissingFolderGivesFalseAndSendsNothing) {
    LoopbackHttpServer server;
    TemporaryFolder folder;
    TraceRecorder traces;

    EXPECT_FALSE(
        CurlByteClient().Download(server.Origin() + "/x", Utf8Path(folder / L"none\\x.xls")));
    EXPECT_EQ(server.Requests().size(), 0u);
    EXPECT_THAT(traces.Lines(), ElementsAre(L"fopen error\n"));
}

TEST(CurlByteClientDownload, UnreachableServerLeavesAnEmptyFile) {
    std::string goneOrigin;
    {
        LoopbackHttpServer gone;
        goneOrigin = gone.Origin();
    }
    TemporaryFolder folder;
    auto target = folder / L"x.xls";
    EXPECT_FALSE(CurlByteClient().Download(goneOrigin + "/x.xls", Utf8Path(target)));
    ASSERT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(std::filesystem::file_size(target), 0u);
}

TEST(CurlByteClientDownload, FailedTransferKeepsWhatWasReceived) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, "ABCDEFGH", "application/octet-stream", 0, false, true});
    TemporaryFolder folder;
    auto target = folder / L"x.xls";
    EXPECT_FALSE(CurlByteClient().Download(server.Origin() + "/x.xls", Utf8Path(target)));
    EXPECT_EQ(ReadFile(target), "ABCD");
}

TEST(CurlByteClientDownload, ErrorPageIsAFailureNotTheFile) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{404, "<html>not found</html>", "text/html"});
    TemporaryFolder folder;
    EXPECT_FALSE(
        CurlByteClient().Download(server.Origin() + "/x.xls", Utf8Path(folder / L"x.xls")));
}

TEST(CurlByteClientStall, SilentServerEndsGetAndDownloadInsteadOfHanging) {
    LoopbackHttpServer server;
    server.Answer(ScriptedResponse{200, "", "text/plain", 0, /*neverAnswer=*/true});
    server.Answer(ScriptedResponse{200, "", "text/plain", 0, /*neverAnswer=*/true});
    TemporaryFolder folder;
    TraceRecorder traces;
    CurlByteClient client;
    client.stallSeconds = 1;

    EXPECT_EQ(client.Get(server.Origin() + "/", "", ""), "");
    EXPECT_FALSE(client.Download(server.Origin() + "/x.xls", Utf8Path(folder / L"x.xls")));
    EXPECT_THAT(traces.Lines(),
                ElementsAre(L"curl_easy_perform error = 28\n", L"curl_easy_perform error = 28\n"));
}
