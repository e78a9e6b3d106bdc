#include <gtest/gtest.h>
#include <json/reader.h>

#include <memory>

#include "platform/servers/core/Sqlite.h"
#include "platform/servers/report/ReportCipher.h"
#include "platform/servers/report/ReportHost.h"
#include "tests/servers/report/TestEncryption.h"
#include "tests/servers/support/ServerThread.h"
#include "tests/servers/support/TemporaryFolder.h"

namespace pimlo::servers {
namespace {

using testing::EncryptReport;
using testing::ServerThread;
using testing::TemporaryFolder;

// Both bodies as the program's styled JSON writer lays them out.
const std::string kEventJson =
    "{\n\t\"AdId\" : 5021,\n\t\"AppApiId\" : 11,\n\t\"AppId\" : 21,\n"
    "\t\"ChannelCode\" : \"0\",\n\t\"MachineCode\" : \"0123456789ABCDEF\",\n"
    "\t\"Os\" : \"windows10\",\n\t\"OsBit\" : 64,\n\t\"TypeId\" : 3,\n"
    "\t\"Version\" : \"1.2.0\"\n}\n";
// The account name is in the program's ANSI code page (936), not UTF-8.
const std::string kUsageJson =
    "{\n\t\"Account\" : \"\xd5\xc5\xc8\xfd\",\n\t\"AgentId\" : 7,\n\t\"Date\" : \"2020-3-7\",\n"
    "\t\"SourceId\" : 3,\n\t\"Times\" : 12,\n\t\"TypeId\" : 1\n}\n";

class ReportHostTest : public ::testing::Test {
protected:
    TemporaryFolder folder_;
    std::string databasePath_ = folder_.Path() + "/reports.sqlite";
    ControlBoard board_;
    ReportHost host_{{databasePath_}, board_};
    httplib::Server server_;
    std::unique_ptr<ServerThread> served_;

    void SetUp() override {
        host_.Mount(server_);
        served_ = std::make_unique<ServerThread>(server_);
    }

    httplib::Result PostEvent(const std::string& body) {
        return served_->Client()->Post("/action.ashx", body, "application/x-www-form-urlencoded");
    }

    httplib::Result PostUsage(const std::string& body, bool credentials = true) {
        auto client = served_->Client();
        if (credentials) client->set_basic_auth("abcd", "wxyz");
        return client->Post("/ocr.ashx", body, "application/json;charset=UTF-8");
    }

    int64_t Count(const char* query) {
        SqliteDatabase database(databasePath_);
        auto count = database.Prepare(query);
        count.Step();
        return count.Integer(0);
    }
};

// `json` with its one occurrence of `from` replaced by `to`.
std::string Replaced(std::string json, const std::string& from, const std::string& to) {
    return json.replace(json.find(from), from.size(), to);
}

void ExpectAnswer(const httplib::Result& result, const std::string& answer) {
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body, answer);
}

TEST_F(ReportHostTest, EventReportIsStoredAndAnsweredWithItsRowId) {
    ExpectAnswer(PostEvent(EncryptReport(kEventJson, kReportKey)), "1");
    ExpectAnswer(PostEvent(EncryptReport(kEventJson, kReportKey)), "2");

    SqliteDatabase database(databasePath_);
    auto row = database.Prepare(
        "SELECT type_id, ad_id, channel_code, machine_code, os, os_bit, version, json "
        "FROM event_reports WHERE id = 2");
    ASSERT_TRUE(row.Step());
    EXPECT_EQ(row.Integer(0), 3);
    EXPECT_EQ(row.Integer(1), 5021);
    EXPECT_EQ(row.Text(2), "0");
    EXPECT_EQ(row.Text(3), "0123456789ABCDEF");
    EXPECT_EQ(row.Text(4), "windows10");
    EXPECT_EQ(row.Integer(5), 64);
    EXPECT_EQ(row.Text(6), "1.2.0");
    EXPECT_EQ(row.Text(7), kEventJson);
}

TEST_F(ReportHostTest, TheControlPortListsTheStoredReportsOfAKind) {
    httplib::Server control;
    host_.MountControl(control);
    ServerThread controlServed(control);
    ExpectAnswer(PostEvent(EncryptReport(kEventJson, kReportKey)), "1");
    ExpectAnswer(PostEvent("not a report"), "0");

    auto events = controlServed.Client()->Get("/reports?kind=event");
    ASSERT_TRUE(events);
    Json::Value listed;
    ASSERT_TRUE(Json::Reader().parse(events->body, listed));
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0]["TypeId"].asInt(), 3);
    auto usage = controlServed.Client()->Get("/reports?kind=usage");
    ASSERT_TRUE(usage);
    EXPECT_EQ(usage->body, "[]");
    auto wrong = controlServed.Client()->Get("/reports?kind=other");
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->status, 400);
}

TEST_F(ReportHostTest, UsageReportKeepsAnsiBytesAsSent) {
    ExpectAnswer(PostUsage(EncryptReport(kUsageJson, kReportKey)), "1");

    SqliteDatabase database(databasePath_);
    auto row = database.Prepare(
        "SELECT account, agent_id, date, times, type_id FROM usage_reports WHERE id = 1");
    ASSERT_TRUE(row.Step());
    EXPECT_EQ(row.Text(0), "\xd5\xc5\xc8\xfd");
    EXPECT_EQ(row.Integer(1), 7);
    EXPECT_EQ(row.Text(2), "2020-3-7");
    EXPECT_EQ(row.Integer(3), 12);
    EXPECT_EQ(row.Integer(4), 1);
}

TEST_F(ReportHostTest, UsageReportNeedsTheProgramsCredentials) {
    std::string body = EncryptReport(kUsageJson, kReportKey);
    auto missing = PostUsage(body, false);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 401);
    EXPECT_EQ(missing->body, "0");

    auto client = served_->Client();
    client->set_basic_auth("abcd", "wrong");
    auto wrong = client->Post("/ocr.ashx", body, "application/json");
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->status, 401);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM usage_reports"), 0);
}

TEST_F(ReportHostTest, BodiesThatDoNotOpenAreRefusedAndNotStored) {
    for (const std::string& body :
         {std::string(), std::string("not base64 at all"), testing::Base64(kEventJson),
          EncryptReport(kEventJson, "0123456789abcdef")}) {
        ExpectAnswer(PostEvent(body), "0");
        ExpectAnswer(PostUsage(body), "0");
    }
    EXPECT_EQ(Count("SELECT COUNT(*) FROM event_reports"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM usage_reports"), 0);
}

// Each text differs from a valid event report in one way.
TEST_F(ReportHostTest, EventReportsWithWrongMembersAreRefused) {
    auto replaced = [](const std::string& from, const std::string& to) {
        return Replaced(kEventJson, from, to);
    };
    const std::string wrong[] = {
        "{",
        "[1, 2]",
        kEventJson + "{}",
        replaced("\t\"AdId\" : 5021,\n", ""),
        replaced("\"AdId\" : 5021", "\"AdId\" : \"5021\""),
        replaced("\"AdId\" : 5021", "\"AdId\" : -1"),
        replaced("\"AppApiId\" : 11", "\"AppApiId\" : 11.0"),
        replaced("\"AppId\" : 21", "\"AppId\" : 22"),
        replaced("\"TypeId\" : 3", "\"TypeId\" : 5"),
        replaced("\"TypeId\" : 3", "\"TypeId\" : 0"),
        replaced("\"OsBit\" : 64", "\"OsBit\" : 16"),
        replaced("0123456789ABCDEF", "0123456789abcdef"),
        replaced("0123456789ABCDEF", "0123456789ABCDE"),
        replaced("\"Os\" : \"windows10\"", "\"Os\" : null"),
        replaced("\"Version\" : \"1.2.0\"\n", "\"Version\" : \"1.2.0\",\n\t\"Extra\" : 1\n"),
        replaced("\"ChannelCode\" : \"0\",", "\"ChannelCode\" : \"0\",\"ChannelCode\" : \"1\","),
        kUsageJson,
    };
    for (const std::string& json : wrong)
        ExpectAnswer(PostEvent(EncryptReport(json, kReportKey)), "0");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM event_reports"), 0);
}

TEST_F(ReportHostTest, UsageReportsWithWrongMembersAreRefused) {
    auto replaced = [](const std::string& from, const std::string& to) {
        return Replaced(kUsageJson, from, to);
    };
    const std::string wrong[] = {
        replaced("\"Times\" : 12", "\"Times\" : 0"),
        replaced("\"SourceId\" : 3", "\"SourceId\" : 2"),
        replaced("\"TypeId\" : 1", "\"TypeId\" : 9"),
        replaced("2020-3-7", "2020-03-07"),
        replaced("2020-3-7", "yesterday"),
        replaced("\"\xd5\xc5\xc8\xfd\"", "\"\""),
        replaced("\t\"AgentId\" : 7,\n", ""),
        kEventJson,
    };
    for (const std::string& json : wrong)
        ExpectAnswer(PostUsage(EncryptReport(json, kReportKey)), "0");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM usage_reports"), 0);
}

TEST_F(ReportHostTest, OversizedBodiesAndWrongMethodsAreRefused) {
    auto huge = PostEvent(std::string(1024 * 1024, 'A'));
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->status, 413);
    EXPECT_EQ(huge->body, "0");

    auto get = served_->Client()->Get("/action.ashx");
    ASSERT_TRUE(get);
    EXPECT_EQ(get->status, 405);
    EXPECT_EQ(get->body, "0");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM event_reports"), 0);
}

TEST_F(ReportHostTest, StoredReportsOutliveTheHost) {
    ExpectAnswer(PostEvent(EncryptReport(kEventJson, kReportKey)), "1");
    served_.reset();
    ControlBoard board;
    ReportHost reopened({databasePath_}, board);
    httplib::Server server;
    reopened.Mount(server);
    ServerThread served(server);
    auto result = served.Client()->Post("/action.ashx", EncryptReport(kEventJson, kReportKey),
                                        "application/x-www-form-urlencoded");
    ExpectAnswer(result, "2");
}

}  // namespace
}  // namespace pimlo::servers
