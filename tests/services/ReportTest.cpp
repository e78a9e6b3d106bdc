// The reports: their bodies, their encoding, which days are sent and kept,
// and the count booked at exit; against a loopback server.
#include <gmock/gmock.h>

#include <json/writer.h>

#include "app/ProductRegistry.h"
#include "services/ReportClient.h"
#include "services/ReportEncoding.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/LoopbackHttpServer.h"

namespace {

// Registry values of the test's own: nobody signed in, no AdId.
ProductRegistry TestRegistry() {
    ProductRegistryPaths paths;
    paths.user = {HKEY_CURRENT_USER, L"Software\\PimloOCRTest\\Reports"};
    return ProductRegistry(paths);
}

TEST(ReportEncoding, ThirtyTwoBytesOfJsonBecomeSixtyFourCharacters) {
    // "{\n\t\"A\" : \"…\"\n}\n" is 14 bytes around the value.
    Json::Value body(Json::objectValue);
    body["A"] = std::string(18, 'x');
    const std::string encoded = EncodeReport(body);
    EXPECT_EQ(encoded.size(), 64u);
    EXPECT_EQ(encoded.find_first_not_of(
                  "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
              std::string::npos);
    body["A"] = std::string(17, 'x');
    EXPECT_EQ(EncodeReport(body).size(), 44u);  // 31 bytes: two blocks
}

TEST(ReportEncoding, TheSystemNamesAndTheUsageKinds) {
    EXPECT_EQ(OsNameOf(10, 0), "windows10");
    EXPECT_EQ(OsNameOf(6, 1), "Windows7");
    EXPECT_EQ(OsNameOf(6, 3), "Windows8.1");
    EXPECT_EQ(OsNameOf(6, 4), "");
    EXPECT_EQ(OsNameOf(11, 0), "");
    const struct {
        const char* account;
        DWORD loginType;
        const char* sent;
        int kind;
    } cases[] = {{"", 0, "Guest", 4},
                 {"13800000000", 1, "13800000000", 1},
                 {"qq-user", 2, "qq-user", 3},
                 {"wx-user", 3, "wx-user", 2}};
    for (const auto& each : cases) {
        const Json::Value body = UsageReportBody(each.account, each.loginType, 7, "2026-3-7", 5);
        EXPECT_EQ(body["Account"].asString(), each.sent);
        EXPECT_EQ(body["TypeId"].asInt(), each.kind) << each.account;
        EXPECT_EQ(body["AgentId"].asInt(), 7);
        EXPECT_EQ(body["SourceId"].asInt(), 3);
    }
}

class ReportClientTest : public testing::Test {
protected:
    ReportClientTest() {
        ReportIdentity identity;
        identity.host = L"127.0.0.1:" + std::to_wstring(server_.Port());
        identity.channelCode = "12";
        client_.Configure(identity);
    }
    ~ReportClientTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PimloOCRTest"); }

    std::wstring Stored(const wchar_t* day) const {
        wchar_t value[32] = {};
        GetPrivateProfileStringW(L"Count", day, L"-", value, 32, settings_.c_str());
        return value;
    }

    LoopbackHttpServer server_;
    ReportClient client_;
    TempFolder folder_;
    std::wstring settings_ = folder_.File(L"config.ini");
};

TEST_F(ReportClientTest, OnlyAPositiveAnswerAcceptsAnEvent) {
    for (const char* answer : {"17", "0", "accepted", ""}) {
        server_.Answer({200, answer, "text/plain"});
        EXPECT_EQ(client_.SendEvent(3, TestRegistry()), std::string(answer) == "17") << answer;
    }
    EXPECT_EQ(client_.LastEventCode(), 3);
    EXPECT_EQ(server_.CountFor("/action.ashx"), 4u);
    EXPECT_EQ(server_.Requests()[0].body, client_.Payload());
}

TEST_F(ReportClientTest, DaysAreSentInOrderAndKeptUntilAccepted) {
    WriteFileBytes(settings_, "[Count]\r\n2026-1-1=3\r\n2026-1-2=0\r\n2026-1-3=5\r\nbroken\r\n");
    server_.Answer({200, "7", "text/plain"});
    server_.Answer({200, "0", "text/plain"});
    client_.UploadUsageCounts(settings_, TestRegistry());

    const std::vector<RecordedRequest> sent = server_.Requests();
    ASSERT_EQ(sent.size(), 2u);
    for (const RecordedRequest& request : sent) {
        EXPECT_EQ(request.path, "/ocr.ashx");
        EXPECT_EQ(request.Header("Authorization"), "Basic YWJjZDp3eHl6");
        EXPECT_EQ(request.Header("Content-Type"), "application/json;charset=UTF-8");
    }
    EXPECT_EQ(Stored(L"2026-1-1"), L"-");  // accepted: gone
    EXPECT_EQ(Stored(L"2026-1-2"), L"0");  // nothing to send: kept
    EXPECT_EQ(Stored(L"2026-1-3"), L"5");  // refused: kept for the next day
}

TEST_F(ReportClientTest, TheCountOfARunIsAddedToItsStartDay) {
    UsageCounter counter;
    const std::wstring day = counter.DateKey();
    client_.UploadUsageCounts(settings_, TestRegistry());  // no section: nothing sent
    FlushUsageCount(counter, settings_);
    EXPECT_EQ(Stored(day.c_str()), L"-");  // nothing recognised, nothing written
    WritePrivateProfileStringW(L"Count", day.c_str(), L"4", settings_.c_str());
    for (int i = 0; i < 3; ++i) counter.Add();
    FlushUsageCount(counter, settings_);
    EXPECT_EQ(Stored(day.c_str()), L"7");
    EXPECT_EQ(server_.Requests().size(), 0u);
}

}  // namespace
