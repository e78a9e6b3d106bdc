// The table kind: polling the service until the spreadsheet is built, then
// downloading it under a numbered name.
#include <gmock/gmock.h>

#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "ocr/SpreadsheetRetrieval.h"
#include "tests/ocr/RecognitionTestSupport.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kSubmitted[] = R"({"log_id":42,"result":[{"request_id":"R1"}]})";
constexpr char kPollPath[] = "/rest/2.0/solution/v1/form_ocr/get_request_result";
constexpr char kSheetPath[] = "/tables/R1.xls";

class SpreadsheetRetrievalTest : public RecognitionTest {
protected:
    SpreadsheetRetrievalTest() { CreateFolderTree(sheetFolder_); }

    void AnswerPoll(int retCode, const std::string& url = "") {
        server_.AnswerJson(TokenAnswer("token"));
        server_.AnswerJson(R"({"result":{"ret_code":)" + std::to_string(retCode) +
                           R"(,"result_data":")" + url + R"("}})");
    }
    std::string SheetUrl() const { return server_.Origin() + kSheetPath; }

    std::unique_ptr<RecognitionResult> Run(const char* submitAnswer = kSubmitted) {
        RecognitionWorker worker = WorkerFor(RecognitionKind::FormTable);
        worker.spreadsheetFolder = sheetFolder_;
        return worker.Parse(ParseJsonText(submitAnswer), RecognitionKind::FormTable);
    }

    // A folder name outside the ANSI code page.
    std::wstring sheetFolder_ = folder_.File(L"\ud45c \U0001F4CA");
};

TEST_F(SpreadsheetRetrievalTest, PollsUntilReadyThenDownloadsOnce) {
    AnswerPoll(1);
    AnswerPoll(2);
    AnswerPoll(3, SheetUrl());
    server_.Answer(ScriptedResponse{200, "sheet bytes", "application/vnd.ms-excel"});

    auto result = Run();

    ASSERT_NE(result, nullptr);
    const std::wstring expected = JoinPath(sheetFolder_, L"识别结果1.xls");
    EXPECT_EQ(result->spreadsheetPath, WideToUtf8(expected));
    EXPECT_EQ(result->kind, RecognitionKind::FormTable);
    EXPECT_EQ(result->logId, 42u);
    EXPECT_EQ(ReadFileBytes(expected), "sheet bytes");
    EXPECT_THAT(waits_, ElementsAre(1000u, 500u, 500u));
    EXPECT_EQ(server_.CountFor(kPollPath), 3u);
    EXPECT_EQ(server_.CountFor("/oauth/2.0/token"), 3u);
    EXPECT_EQ(server_.Requests()[1].body, "request_id=R1&result_type=excel&");
    EXPECT_EQ(server_.CountFor(kSheetPath), 1u);
}

TEST_F(SpreadsheetRetrievalTest, TakesTheFirstFreeNumber) {
    WriteFileBytes(JoinPath(sheetFolder_, L"识别结果1.xls"), "older");
    AnswerPoll(3, SheetUrl());
    server_.Answer(ScriptedResponse{200, "newer", "application/vnd.ms-excel"});

    auto result = Run();

    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->spreadsheetPath, WideToUtf8(JoinPath(sheetFolder_, L"识别结果2.xls")));
    EXPECT_EQ(ReadFileBytes(JoinPath(sheetFolder_, L"识别结果1.xls")), "older");
    EXPECT_EQ(NewSpreadsheetPath(L""), "");
}

TEST_F(SpreadsheetRetrievalTest, ALogIdSentAsTextDoesNotCostTheSpreadsheet) {
    AnswerPoll(3, SheetUrl());
    server_.Answer(ScriptedResponse{200, "sheet", "application/vnd.ms-excel"});

    auto result = Run(R"({"log_id":"18446744073709551615","result":[{"request_id":"R1"}]})");

    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->logId, 18446744073709551615ull);
    EXPECT_THAT(recorder_.Shown(), IsEmpty());
}

TEST_F(SpreadsheetRetrievalTest, GivesUpAfterTenPollsThatAreNotReady) {
    for (int i = 0; i < 10; ++i) AnswerPoll(2);
    AnswerPoll(3, SheetUrl());  // never asked for

    EXPECT_EQ(Run(), nullptr);

    EXPECT_EQ(server_.CountFor(kPollPath), 10u);
    EXPECT_EQ(server_.CountFor(kSheetPath), 0u);
    EXPECT_EQ(waits_.size(), 11u);
    EXPECT_THAT(recorder_.Shown(), IsEmpty());
}

TEST_F(SpreadsheetRetrievalTest, UnknownStatesAndEmptyAddressesKeepPolling) {
    AnswerPoll(7);
    AnswerPoll(3);
    AnswerPoll(3, SheetUrl());
    server_.Answer(ScriptedResponse{200, "x", "application/vnd.ms-excel"});

    EXPECT_NE(Run(), nullptr);
    EXPECT_THAT(waits_, ElementsAre(1000u));
}

TEST_F(SpreadsheetRetrievalTest, ARefusedPollStopsAtOnce) {
    server_.AnswerJson(TokenAnswer("token"));
    server_.AnswerJson(R"({"error_code":282000,"error_msg":"internal error"})");
    AnswerPoll(3, SheetUrl());

    EXPECT_EQ(Run(), nullptr);
    EXPECT_EQ(server_.CountFor(kPollPath), 1u);
    EXPECT_THAT(recorder_.Shown(), IsEmpty());
}

TEST_F(SpreadsheetRetrievalTest, AFailedDownloadLeavesNoFileBehind) {
    AnswerPoll(3, SheetUrl());
    server_.Answer(ScriptedResponse{200, "partial sheet", "application/vnd.ms-excel", 0, false,
                                    /*closeEarly=*/true});

    EXPECT_EQ(Run(), nullptr);
    EXPECT_FALSE(PathExists(JoinPath(sheetFolder_, L"识别结果1.xls")));
}

TEST_F(SpreadsheetRetrievalTest, SubmissionsWithoutARequestIdAreNotPolled) {
    for (const char* submitted : {R"({"result":[]})", R"({"result":[{"request_id":""}]})", "{}"}) {
        EXPECT_EQ(Run(submitted), nullptr) << submitted;
    }
    EXPECT_THAT(server_.Requests(), IsEmpty());
    EXPECT_THAT(waits_, IsEmpty());
}

TEST_F(SpreadsheetRetrievalTest, AnswersOfTheWrongShapeAreToldAsUnreadable) {
    // A submission whose "result" is a text, then a poll whose "result" is an array.
    EXPECT_EQ(Run(R"({"result":"R1"})"), nullptr);
    server_.AnswerJson(TokenAnswer("token"));
    server_.AnswerJson(R"({"result":[1]})");
    EXPECT_EQ(Run(), nullptr);

    const std::vector<MessageRequest> shown = recorder_.Shown();
    ASSERT_EQ(shown.size(), 2u);
    for (const MessageRequest& message : shown) EXPECT_EQ(message.body.rfind(L"无法解析：", 0), 0u);
    EXPECT_EQ(server_.CountFor(kPollPath), 1u);
}

}  // namespace
