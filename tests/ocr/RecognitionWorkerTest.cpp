// Recognise: which request each kind sends, and what happens before any is sent.
#include <gmock/gmock.h>

#include "common/StringConversion.h"
#include "tests/ocr/RecognitionTestSupport.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Kind = RecognitionKind;

constexpr char kGeneralAnswer[] =
    R"({"log_id":7,"words_result_num":1,"words_result":[{"words":"你好"}]})";

class RecogniseTest : public RecognitionTest {
protected:
    // A picture file with the bytes "abc" (Base64 "YWJj").
    std::string Picture(const std::wstring& name = L"picture.png") {
        WriteFileBytes(folder_.File(name), "abc");
        return WideToUtf8(folder_.File(name));
    }

    void AnswerOnce(const std::string& answer) {
        server_.AnswerJson(TokenAnswer("token"));
        server_.AnswerJson(answer);
    }

    // The request that carried the n-th picture (each follows its token).
    RecordedRequest PictureRequest(size_t n = 0) {
        auto requests = server_.Requests();
        return requests.size() > 2 * n + 1 ? requests[2 * n + 1] : RecordedRequest{};
    }
};

TEST_F(RecogniseTest, EmptyOrMissingPicturesSendNothing) {
    WriteFileBytes(folder_.File(L"empty.png"), "");
    for (const std::wstring& path :
         {folder_.File(L"empty.png"), folder_.File(L"missing.png"), folder_.Path()}) {
        RecognitionWorker worker = WorkerFor(Kind::GeneralText);
        EXPECT_EQ(worker.Recognise(WideToUtf8(path), Kind::GeneralText), nullptr);
        EXPECT_EQ(worker.errorKey, MessageKey(MessageKeys::ImageSizeIsZero));
    }
    EXPECT_THAT(server_.Requests(), IsEmpty());
    EXPECT_THAT(recorder_.Shown(), IsEmpty());
}

// Memory running out while one picture is sent fails that picture with its
// own message; the worker goes on with the next one.
TEST_F(RecogniseTest, MemoryRunningOutFailsOnlyThatPicture) {
    bool exhausted = true;
    RecognitionServices services = ServicesFor();
    services.newClient = [&exhausted, make = services.newClient] {
        if (exhausted) throw std::bad_alloc();
        return make();
    };
    RecognitionWorker worker = WorkerFor(Kind::GeneralText, std::move(services));
    EXPECT_EQ(worker.Recognise(Picture(), Kind::GeneralText), nullptr);
    EXPECT_EQ(worker.errorKey, MessageKey(MessageKeys::ImageTooLarge));

    exhausted = false;
    worker.errorKey = MessageKey();
    AnswerOnce(kGeneralAnswer);
    EXPECT_NE(worker.Recognise(Picture(), Kind::GeneralText), nullptr);
    EXPECT_TRUE(worker.errorKey.Empty());
}

TEST_F(RecogniseTest, PicturesNamedOutsideTheAnsiCodePageAreRead) {
    AnswerOnce(kGeneralAnswer);
    RecognitionWorker worker = WorkerFor(Kind::GeneralText);

    auto result = worker.Recognise(Picture(L"\uc0ac\uc9c4 \U0001F600.png"), Kind::GeneralText);

    ASSERT_NE(result, nullptr);
    EXPECT_THAT(result->lines, ElementsAre(L"你好"));
    EXPECT_TRUE(worker.errorKey.Empty());
    EXPECT_THAT(PictureRequest().body, ::testing::HasSubstr("image=YWJj&"));
}

TEST_F(RecogniseTest, EachKindSendsItsOptionsToItsEndpoint) {
    struct Case {
        Kind kind;
        const char* path;
        const char* body;
    };
    const Case cases[] = {
        {Kind::GeneralText, "/rest/2.0/ocr/v1/general_basic",
         "detect_direction=true&detect_language=true&image=YWJj&language_type=CHN_ENG&"
         "probability=true&"},
        {Kind::IdCardFront, "/rest/2.0/ocr/v1/idcard",
         "detect_direction=true&detect_risk=false&id_card_side=front&image=YWJj&"},
        {Kind::IdCardBack, "/rest/2.0/ocr/v1/idcard",
         "detect_direction=true&detect_risk=false&id_card_side=back&image=YWJj&"},
        {Kind::BankCard, "/rest/2.0/ocr/v1/bankcard", "image=YWJj&"},
        {Kind::DrivingLicense, "/rest/2.0/ocr/v1/driving_license",
         "detect_direction=true&image=YWJj&"},
        {Kind::VehicleLicense, "/rest/2.0/ocr/v1/vehicle_license",
         "accuracy=normal&detect_direction=true&image=YWJj&"},
        {Kind::VatInvoice, "/rest/2.0/ocr/v1/vat_invoice", "image=YWJj&"},
        {Kind::BusinessLicense, "/rest/2.0/ocr/v1/business_license", "image=YWJj&"},
        {Kind::Passport, "/rest/2.0/ocr/v1/passport", "image=YWJj&"},
        {Kind::AccountPermit, "/rest/2.0/ocr/v1/accurate_basic", "image=YWJj&"},
        {Kind::FormTable, "/rest/2.0/solution/v1/form_ocr/request", "image=YWJj&"},
    };
    const std::string picture = Picture();
    for (const Case& c : cases) {
        // A refusal keeps the table kind from polling.
        AnswerOnce(R"({"error_code":17})");
        WorkerFor(c.kind).Recognise(picture, c.kind);
    }
    for (size_t n = 0; n < std::size(cases); ++n) {
        RecordedRequest request = PictureRequest(n);
        EXPECT_EQ(request.path, cases[n].path);
        EXPECT_EQ(request.body, cases[n].body) << cases[n].path;
    }
}

TEST_F(RecogniseTest, LocalTextWithoutAnEngineGoesToTheCloudAsGeneralText) {
    engineInstallFolder_ = folder_.Path();  // holds no engine
    AnswerOnce(kGeneralAnswer);

    auto result = WorkerFor(Kind::LocalText).Recognise(Picture(), Kind::LocalText);

    EXPECT_EQ(enginesCreated_, 1);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->kind, Kind::LocalText);
    EXPECT_EQ(PictureRequest().path, "/rest/2.0/ocr/v1/general_basic");
    EXPECT_THAT(PictureRequest().body, ::testing::HasSubstr("language_type=CHN_ENG&"));
}

TEST_F(RecogniseTest, HighQualityNeverAsksTheLocalEngine) {
    useHighQuality_ = true;
    AnswerOnce(kGeneralAnswer);

    auto result = WorkerFor(Kind::LocalText).Recognise(Picture(), Kind::LocalText);

    EXPECT_EQ(enginesCreated_, 0);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->kind, Kind::GeneralText);
}

TEST_F(RecogniseTest, EveryPictureFetchesItsOwnToken) {
    AnswerOnce(kGeneralAnswer);
    AnswerOnce(kGeneralAnswer);
    RecognitionWorker worker = WorkerFor(Kind::GeneralText);
    const std::string picture = Picture();

    EXPECT_NE(worker.Recognise(picture, Kind::GeneralText), nullptr);
    EXPECT_NE(worker.Recognise(picture, Kind::GeneralText), nullptr);

    EXPECT_EQ(server_.CountFor("/oauth/2.0/token"), 2u);
    EXPECT_EQ(server_.CountFor("/rest/2.0/ocr/v1/general_basic"), 2u);
}

}  // namespace
