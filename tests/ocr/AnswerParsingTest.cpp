// How answers of the service become results, or messages when they are not.
#include <gmock/gmock.h>

#include "ocr/UsageCounter.h"
#include "tests/ocr/RecognitionTestSupport.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Kind = RecognitionKind;

class AnswerParsing : public RecognitionTest {};

TEST_F(AnswerParsing, TransportFailuresAreShownAndGiveNoResult) {
    struct Case {
        const char* answer;
        Kind kind;
        bool useHighQuality;
        const wchar_t* message;
    };
    const Case cases[] = {
        {R"({"curl_error_code":28})", Kind::LocalText, false, L"超时"},
        // An unresolved host after a fallback from the local engine is "no
        // result"; asked of the service by the user it is "no network".
        {R"({"curl_error_code":6})", Kind::LocalText, false, L"没有结果"},
        {R"({"curl_error_code":6})", Kind::LocalText, true, L"没有网络"},
        {R"({"curl_error_code":6})", Kind::GeneralText, false, L"没有结果"},
        {R"({"curl_error_code":6})", Kind::IdCardFront, false, L"没有网络"},
        // A refused connection is no picture without text.
        {R"({"curl_error_code":7})", Kind::BankCard, false, L"没有网络"},
        {R"({"curl_error_code":7})", Kind::LocalText, false, L"没有结果"},
        // A certificate that does not check out is told as such, whatever the kind.
        {R"({"curl_error_code":60})", Kind::GeneralText, false, L"证书无效"},
        {R"({"curl_error_code":60})", Kind::LocalText, false, L"证书无效"},
        // So is memory running out while the request was built.
        {R"({"curl_error_code":27})", Kind::GeneralText, false, L"图片太大"},
    };
    for (const Case& c : cases) {
        MessageRecorder recorder;
        useHighQuality_ = c.useHighQuality;
        EXPECT_EQ(Parse(c.answer, c.kind), nullptr) << c.answer;
        ASSERT_EQ(recorder.Shown().size(), 1u) << c.answer;
        EXPECT_EQ(recorder.Shown()[0].body, c.message) << c.answer;
        EXPECT_EQ(recorder.Shown()[0].owner, kOwner);
        EXPECT_EQ(recorder.Shown()[0].flags, static_cast<UINT>(MB_ICONINFORMATION));
    }
}

TEST_F(AnswerParsing, ServiceErrorsShowTheirTextOrTheDefaultWithTheErrorStyle) {
    EXPECT_EQ(Parse(R"({"error_code":17,"error_msg":"Open api daily request limit reached"})",
                    Kind::GeneralText),
              nullptr);
    EXPECT_EQ(Parse(R"({"error_code":216633})", Kind::IdCardFront), nullptr);
    const std::vector<MessageRequest> shown = recorder_.Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].body, L"次数用完");
    EXPECT_EQ(shown[1].body, L"服务出错");
    EXPECT_EQ(shown[0].flags, static_cast<UINT>(MB_ICONERROR));
}

TEST_F(AnswerParsing, AcceptedAnswersAreCountedAndFailuresAreNot) {
    const int before = CurrentUsageCounter().Count();
    Parse(R"({"log_id":1,"words_result_num":0,"words_result":[]})", Kind::GeneralText);
    Parse(R"({"error_code":17})", Kind::GeneralText);
    Parse(R"({"curl_error_code":28})", Kind::GeneralText);
    EXPECT_EQ(CurrentUsageCounter().Count(), before + 1);
}

// The service sends the log id as a number on some endpoints and as a string
// on others; it is never shown, so no form of it may cost the user a result.
TEST_F(AnswerParsing, LogIdIsANumberOrDigitsOnEveryKindAndNeverRefusesTheAnswer) {
    struct KindCase {
        Kind runKind;
        Kind requestKind;
        const char* members;
    };
    const KindCase kinds[] = {
        {Kind::LocalText, Kind::LocalText, R"("words_result":[])"},
        {Kind::GeneralText, Kind::GeneralText, R"("words_result":[])"},
        {Kind::IdCardPair, Kind::IdCardFront, R"("image_status":"normal","words_result":{})"},
        {Kind::IdCardPair, Kind::IdCardBack, R"("image_status":"normal","words_result":{})"},
        {Kind::BankCard, Kind::BankCard, R"("result":{})"},
        {Kind::DrivingLicense, Kind::DrivingLicense, R"("words_result":{})"},
        {Kind::VehicleLicense, Kind::VehicleLicense, R"("words_result":{})"},
        {Kind::VatInvoice, Kind::VatInvoice, R"("words_result":{})"},
        {Kind::BusinessLicense, Kind::BusinessLicense, R"("words_result":{})"},
        {Kind::Passport, Kind::Passport, R"("words_result":{})"},
        {Kind::AccountPermit, Kind::AccountPermit, R"("words_result":[])"},
    };
    const std::pair<const char*, uint64_t> logIds[] = {
        {"18446744073709551615", 18446744073709551615ull},  // above 2^53
        {R"("18446744073709551615")", 18446744073709551615ull},
        {R"("9007199254740993")", 9007199254740993ull},
        {"7", 7},
        // Not an unsigned 64-bit number: read as absent.
        {R"("18446744073709551616")", 0},
        {R"("12a")", 0},
        {R"("")", 0},
        {R"("-1")", 0},
        {"-1", 0},
        {"1.5", 0},
        {"null", 0},
        {"[1]", 0},
        {R"({"id":1})", 0},
    };
    for (const KindCase& k : kinds) {
        for (const auto& [logId, expected] : logIds) {
            const std::string answer = std::string(R"({"log_id":)") + logId + "," + k.members + "}";
            MessageRecorder recorder;
            auto result = WorkerFor(k.runKind).Parse(ParseJsonText(answer), k.requestKind);
            ASSERT_NE(result, nullptr) << answer << " as kind " << static_cast<int>(k.requestKind);
            EXPECT_EQ(result->logId, expected) << answer;
            EXPECT_THAT(recorder.Shown(), IsEmpty()) << answer;
        }
    }
}

TEST_F(AnswerParsing, GeneralTextKeepsEveryLineAndOnlyTheDetailsThatCame) {
    auto result = Parse(R"({"log_id":18446744073709551615,"words_result_num":3,"direction":2,
        "language":-1,"words_result":[
          {"words":"第一行","probability":{"average":0.9,"min":0.5,"variance":0.01},
           "location":{"height":20,"left":3,"top":4,"width":100}},
          {"words":""},
          {"words":"third","location":{"height":1,"left":2,"top":3,"width":4}}]})",
                        Kind::GeneralText);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(result->lines, ElementsAre(L"第一行", L"", L"third"));
    ASSERT_EQ(result->probabilities.size(), 1u);
    EXPECT_DOUBLE_EQ(result->probabilities[0].min, 0.5);
    ASSERT_EQ(result->locations.size(), 2u);
    EXPECT_EQ(result->locations[1].left, 2);
    EXPECT_EQ(result->locations[1].width, 4);
    EXPECT_EQ(result->logId, 18446744073709551615ull);
    EXPECT_EQ(result->wordCount, 3);
    EXPECT_EQ(result->direction, 2);
    EXPECT_EQ(result->language, -1);
    EXPECT_EQ(result->kind, Kind::GeneralText);
    EXPECT_THAT(recorder_.Shown(), IsEmpty());
}

TEST_F(AnswerParsing, EmptyOrUnreadableAnswersGiveAnEmptyResult) {
    for (const char* answer : {"", "not json", "{}", "null"}) {
        auto result = Parse(answer, Kind::GeneralText);
        ASSERT_NE(result, nullptr) << answer;
        EXPECT_THAT(result->lines, IsEmpty());
    }
    EXPECT_THAT(recorder_.Shown(), IsEmpty());
}

TEST_F(AnswerParsing, MembersOfTheWrongShapeAreReportedAsUnreadable) {
    struct Case {
        const char* answer;
        Kind kind;
    };
    const Case cases[] = {
        {R"([1,2])", Kind::GeneralText},
        {R"({"error_code":"x"})", Kind::GeneralText},
        {R"({"words_result":"text"})", Kind::GeneralText},
        {R"({"words_result":{"a":1}})", Kind::GeneralText},
        {R"({"words_result":[{"words":{"a":1}}]})", Kind::GeneralText},
        {R"({"words_result":[5]})", Kind::GeneralText},
        {R"({"words_result":[]})", Kind::DrivingLicense},
        {R"({"words_result":{"姓名":"张三"}})", Kind::DrivingLicense},
        {R"({"result":"card"})", Kind::BankCard},
        {R"({"words_result":{"CommodityName":[1]}})", Kind::VatInvoice},
        {R"({"result":{"a":1}})", Kind::FormTable},
    };
    for (const Case& c : cases) {
        MessageRecorder recorder;
        EXPECT_EQ(Parse(c.answer, c.kind), nullptr) << c.answer;
        ASSERT_EQ(recorder.Shown().size(), 1u) << c.answer;
        EXPECT_THAT(recorder.Shown()[0].body, HasSubstr(L"无法解析：")) << c.answer;
        EXPECT_GT(recorder.Shown()[0].body.size(), std::wstring(L"无法解析：").size());
    }
}

TEST_F(AnswerParsing, FieldLinesFollowTheByteOrderOfTheirNames) {
    auto result = Parse(R"({"log_id":5,"words_result_num":3,"words_result":{
        "证号":{"words":"110"},"B":{"words":"b"},"A":{"words":""}}})",
                        Kind::DrivingLicense);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(result->lines, ElementsAre(L"A：", L"B：b", L"证号：110"));
    EXPECT_EQ(result->wordCount, 3);
}

TEST_F(AnswerParsing, IdentityCardsWithAnUnusablePictureAreRefused) {
    const std::pair<const char*, const wchar_t*> refusals[] = {
        {"reversed_side", L"放反了"},   {"non_idcard", L"不是身份证"}, {"blurred", L"模糊"},
        {"over_exposure", L"曝光过度"}, {"unknown", L"未知"},
    };
    for (const auto& [status, message] : refusals) {
        MessageRecorder recorder;
        const std::string answer = std::string(R"({"image_status":")") + status +
                                   R"(","words_result":{"姓名":{"words":"张三"}}})";
        EXPECT_EQ(WorkerFor(Kind::IdCardPair).Parse(ParseJsonText(answer), Kind::IdCardFront),
                  nullptr);
        ASSERT_EQ(recorder.Shown().size(), 1u) << status;
        EXPECT_EQ(recorder.Shown()[0].body, message);
    }

    auto result = WorkerFor(Kind::IdCardPair)
                      .Parse(ParseJsonText(R"({"image_status":"normal","risk_type":"normal",
                          "edit_tool":"","words_result":{"姓名":{"words":"张三"}}})"),
                             Kind::IdCardBack);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->imageStatus, "normal");
    EXPECT_EQ(result->riskType, "normal");
    EXPECT_EQ(result->kind, Kind::IdCardBack);
    EXPECT_THAT(result->lines, ElementsAre(L"姓名：张三"));
}

TEST_F(AnswerParsing, BankCardKeepsTheNumberAsSentAndHasNoLines) {
    auto result = Parse(
        "{\"result\":{\"bank_card_number\":\"6222 \\u00ff 0200\","
        "\"bank_name\":\"\u5de5\u5546\u94f6\u884c\",\"bank_card_type\":1}}",
        Kind::BankCard);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->bankCardNumber, "6222 \xc3\xbf 0200");
    EXPECT_EQ(result->bankName, L"工商银行");
    EXPECT_EQ(result->bankCardType, 1);
    EXPECT_THAT(result->lines, IsEmpty());
}

TEST_F(AnswerParsing, InvoiceShowsLabelledFieldsThenOneRowPerGoodsName) {
    auto result = Parse(R"({"words_result":{
        "InvoiceNum":"0123","SellerName":"","Unknown":"x","AAK":"leak",
        "CommodityName":[{"word":"笔"},{"word":"纸"},{"word":"墨"}],
        "CommodityNum":[{"word":"1"},{"word":"2"},{"word":"3"}],
        "CommodityTax":[{"word":"0.1"},{"word":"0.2"}],
        "Other":[{"word":"ignored"}]}})",
                        Kind::VatInvoice);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(result->lines,
                ElementsAre(L"发票号码：0123", L"笔||1|||||0.1", L"纸||2|||||0.2", L"墨||3|||||"));

    auto stopsAtEmptyName = Parse(R"({"words_result":{
        "CommodityName":[{"word":"笔"},{"word":""},{"word":"墨"}]}})",
                                  Kind::VatInvoice);
    ASSERT_NE(stopsAtEmptyName, nullptr);
    EXPECT_THAT(stopsAtEmptyName->lines, ElementsAre(L"笔|||||||"));
}

}  // namespace
