#include <gtest/gtest.h>

#include <memory>

#include "platform/servers/update/SampleUpdateFiles.h"
#include "platform/servers/update/UpdateHost.h"
#include "tests/servers/support/ServerThread.h"
#include "tests/servers/support/TemporaryFolder.h"

namespace pimlo::servers {
namespace {

using testing::ServerThread;
using testing::TemporaryFolder;

class UpdateHostTest : public ::testing::Test {
protected:
    TemporaryFolder folder_;
    ControlBoard board_;
    UpdateHost host_{{folder_.Path(), "2.1.0"}, board_};
    httplib::Server server_;
    std::unique_ptr<ServerThread> served_;

    void SetUp() override {
        host_.Mount(server_);
        served_ = std::make_unique<ServerThread>(server_);
    }
};

TEST_F(UpdateHostTest, ManifestIsVersionTextWithoutLineEnd) {
    auto result = served_->Client()->Get("/windows/newversion.htm");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->body, "version=2.1.0");
}

TEST_F(UpdateHostTest, ServesBothFilesWhole) {
    ASSERT_TRUE(WriteSampleUpdateFiles(folder_.Path()));
    for (const std::string name : {"PimloOCRSetup.exe", "cd.cab"}) {
        SCOPED_TRACE(name);
        auto result = served_->Client()->Get("/windows/" + name);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 200);
        std::string expected = SampleUpdateFile(name);
        EXPECT_EQ(result->get_header_value("Content-Length"), std::to_string(expected.size()));
        EXPECT_TRUE(result->body == expected);
    }
}

TEST_F(UpdateHostTest, MissingOrUnknownFilesAreNotFound) {
    for (const char* path : {"/windows/PimloOCRSetup.exe", "/windows/cd.cab"}) {
        auto result = served_->Client()->Get(path);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 404) << path;
    }
    ASSERT_TRUE(WriteSampleUpdateFiles(folder_.Path()));
    for (const char* path : {"/windows/other.exe", "/windows/../windows/cd.cab",
                             "/windows/%2e%2e/cd.cab", "/windows/cd.cab.bak", "/cd.cab"}) {
        auto result = served_->Client()->Get(path);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 404) << path;
    }
}

TEST_F(UpdateHostTest, PostIsRefused) {
    auto result = served_->Client()->Post("/windows/cd.cab", "x", "text/plain");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 405);
}

TEST_F(UpdateHostTest, ScriptedCloseEarlyCutsTheDownloadInHalfOnce) {
    ASSERT_TRUE(WriteSampleUpdateFiles(folder_.Path()));
    ScriptedAnswer cut;
    cut.host = "update";
    cut.path = "/windows/PimloOCRSetup.exe";
    cut.closeEarly = true;
    board_.Script(cut);
    const std::string whole = SampleUpdateFile("PimloOCRSetup.exe");

    std::string announced;
    std::string received;
    auto result = served_->Client()->Get(
        "/windows/PimloOCRSetup.exe",
        [&](const httplib::Response& response) {
            announced = response.get_header_value("Content-Length");
            return true;
        },
        [&](const char* data, size_t length) {
            received.append(data, length);
            return true;
        });

    EXPECT_FALSE(result);  // the connection ended before the announced length
    EXPECT_EQ(announced, std::to_string(whole.size()));
    EXPECT_EQ(received.size(), whole.size() / 2);
    EXPECT_TRUE(received == whole.substr(0, whole.size() / 2));

    auto again = served_->Client()->Get("/windows/PimloOCRSetup.exe");
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->body == whole);
}

TEST_F(UpdateHostTest, RequestsAreRecordedForTheControlPort) {
    served_->Client()->Get("/windows/newversion.htm");
    served_->Client()->Get("/windows/cd.cab");
    Json::Value requests = board_.Requests("update");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0]["path"].asString(), "/windows/newversion.htm");
    EXPECT_EQ(requests[1]["path"].asString(), "/windows/cd.cab");
}

}  // namespace
}  // namespace pimlo::servers
