#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <thread>

#include "platform/servers/ocr/TableAnswer.h"
#include "platform/servers/ocr/TableBuilder.h"
#include "platform/servers/ocr/TableJobs.h"
#include "tests/servers/support/TemporaryFolder.h"

namespace pimlo::servers {
namespace {

RecognisedWord Word(const char* text, int left, int top, int width = 40, int height = 20) {
    return RecognisedWord{text, TextBox{left, top, width, height}, 0.9};
}

TEST(TableBuilderTest, RowsColumnsAndSeveralWordCells) {
    // Columns at x 10, 200 and 400; the header's second cell is two words.
    const TableGrid grid = BuildTable({
        Word("Name", 10, 10),
        Word("Unit", 200, 12),
        Word("price", 246, 11),
        Word("Qty", 400, 10),
        Word("Pen", 12, 52),
        Word("3.50", 201, 50),
        Word("12", 402, 53),
        Word("Ink", 10, 90),
        Word("40", 401, 91),
    });
    const TableGrid expected = {
        {"Name", "Unit price", "Qty"},
        {"Pen", "3.50", "12"},
        {"Ink", "", "40"},
    };
    EXPECT_EQ(grid, expected);
}

TEST(TableBuilderTest, WordsOutOfOrderAndNoWords) {
    EXPECT_TRUE(BuildTable({}).empty());
    const TableGrid grid = BuildTable(
        {Word("b2", 200, 50), Word("a1", 10, 10), Word("a2", 10, 50), Word("b1", 200, 10)});
    const TableGrid expected = {{"a1", "b1"}, {"a2", "b2"}};
    EXPECT_EQ(grid, expected);
}

// A grid reader that waits until the test lets it go, so the test sees
// every state of a request.
class GateReader {
public:
    TableJobs::GridReader Reader(std::optional<TableGrid> result) {
        return [this, result](Pix*) {
            std::unique_lock<std::mutex> lock(mutex_);
            entered_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return open_; });
            return result;
        };
    }
    void WaitEntered() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return entered_; });
    }
    void Open() {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool entered_ = false;
    bool open_ = false;
};

TableState WaitWhileRunning(const TableJobs& jobs, const std::string& id) {
    for (int i = 0; i < 500; ++i) {
        const TableState state = jobs.Status(id)->state;
        if (state != TableState::Running && state != TableState::Queued) return state;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return TableState::Running;
}

TEST(TableJobsTest, RequestGoesFromQueuedThroughRunningToASpreadsheet) {
    testing::TemporaryFolder folder;
    GateReader gate;
    TableJobs jobs(folder.Path(), gate.Reader(TableGrid{{"a", "1"}}));

    const std::string first = jobs.Submit(nullptr);
    const std::string second = jobs.Submit(nullptr);
    gate.WaitEntered();
    EXPECT_EQ(jobs.Status(first)->state, TableState::Running);
    EXPECT_EQ(jobs.Status(second)->state, TableState::Queued);
    EXPECT_FALSE(jobs.Status("1_2_3").has_value());

    gate.Open();
    ASSERT_EQ(WaitWhileRunning(jobs, first), TableState::Done);
    const TableStatus done = *jobs.Status(first);
    std::ifstream file(done.spreadsheet, std::ios::binary);
    std::string signature(2, '\0');
    file.read(signature.data(), 2);
    EXPECT_EQ(signature, "PK");  // an Office Open XML workbook is a zip archive
    EXPECT_EQ(done.grid, (TableGrid{{"a", "1"}}));
}

TEST(TableJobsTest, UnreadablePictureFails) {
    testing::TemporaryFolder folder;
    GateReader gate;
    gate.Open();
    TableJobs jobs(folder.Path(), gate.Reader(std::nullopt));
    const std::string id = jobs.Submit(nullptr);
    EXPECT_EQ(WaitWhileRunning(jobs, id), TableState::Failed);
}

TEST(PollAnswerTest, ReturnCodesFollowTheRequestState) {
    TableStatus status;
    EXPECT_EQ(PollAnswer(status, "1_2", "excel", "u", 1)["result"]["ret_code"].asInt(), 1);
    status.state = TableState::Running;
    EXPECT_EQ(PollAnswer(status, "1_2", "excel", "u", 1)["result"]["ret_code"].asInt(), 2);
    EXPECT_EQ(PollAnswer(status, "1_2", "excel", "u", 1)["result"]["result_data"].asString(), "");

    status.state = TableState::Done;
    status.grid = {{"x"}};
    const Json::Value ready = PollAnswer(status, "1_2", "excel", "https://h/tables/1_2.xlsx", 1);
    EXPECT_EQ(ready["result"]["ret_code"].asInt(), 3);
    EXPECT_EQ(ready["result"]["result_data"].asString(), "https://h/tables/1_2.xlsx");
    EXPECT_NE(PollAnswer(status, "1_2", "json", "u", 1)["result"]["result_data"].asString().find(
                  "\"word\":\"x\""),
              std::string::npos);

    status.state = TableState::Failed;
    EXPECT_EQ(PollAnswer(status, "1_2", "excel", "u", 1)["error_code"].asInt(), 282810);
}

}  // namespace
}  // namespace pimlo::servers
