// Every recognition kind from picture to result: the program's recognition
// worker under Wine against the stand-in cloud API over verified HTTPS, with
// pictures of known content drawn by the fixture and the shipped language file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "net/CurlByteClient.h"
#include "ocr/PermitParser.h"
#include "ocr/RecognitionWorker.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/StandIns.h"

namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using Kind = RecognitionKind;

// A picture the fixture drew into the working folder.
std::string PicturePath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    return WideToUtf8(JoinPath(folder, name));
}

std::wstring Joined(const RecognitionResult& result) {
    std::wstring text;
    for (const std::wstring& line : result.lines) text += line;
    return text;
}

class RecognitionEndToEnd : public testing::Test {
protected:
    RecognitionWorker Worker(Kind runKind) {
        RecognitionServices services;
        services.newClient = [this] {
            return std::make_unique<OcrClient>(
                "e2e-app", standIns_.apiKey, standIns_.secretKey,
                CloudSite::AtHost(standIns_.ocrHost, standIns_.authority));
        };
        services.newLocalEngine = [] { return nullptr; };
        services.useHighQuality = [] { return true; };
        services.wait = [](unsigned milliseconds) { Sleep(milliseconds); };
        services.download = [](const std::string& url, const std::string& path) {
            return CurlByteClient().Download(url, path);
        };
        RecognitionWorker worker(std::move(services));
        worker.runKind = runKind;
        worker.spreadsheetFolder = sheets_.Path();
        return worker;
    }

    std::unique_ptr<RecognitionResult> Recognise(const wchar_t* picture, Kind kind) {
        return Worker(kind).Recognise(PicturePath(picture), kind);
    }

    int TokenRequests() const {
        int count = 0;
        for (const auto& request : standIns_.Requests("ocr"))
            count += request["path"].asString() == "/oauth/2.0/token";
        return count;
    }

    StandIns standIns_ = ReadStandIns();
    ScopedLanguageFile language_{PIMLO_LANGUAGE_DIR L"\\cn.dat"};
    MessageRecorder recorder_;
    TempFolder sheets_;
};

TEST_F(RecognitionEndToEnd, GeneralTextAndOneTokenPerPicture) {
    const int tokensBefore = TokenRequests();
    auto first = Recognise(L"line.png", Kind::GeneralText);
    auto second = Recognise(L"line.png", Kind::LocalText);

    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_THAT(first->lines, Contains(HasSubstr(L"reads this line 2026")));
    EXPECT_EQ(second->lines, first->lines);
    EXPECT_EQ(TokenRequests(), tokensBefore + 2);
    EXPECT_THAT(recorder_.Shown(), IsEmpty());
}

// The client ports of the last count requests the cloud API received.
std::vector<int> LastClientPorts(const StandIns& standIns, size_t count) {
    const Json::Value requests = standIns.Requests("ocr");
    std::vector<int> ports;
    for (Json::ArrayIndex i = requests.size() - std::min<size_t>(count, requests.size());
         i < requests.size(); ++i)
        ports.push_back(requests[i]["clientPort"].asInt());
    return ports;
}

TEST_F(RecognitionEndToEnd, PicturesOfOneThreadGoOverOneConnection) {
    ASSERT_NE(Recognise(L"line.png", Kind::GeneralText), nullptr);
    ASSERT_NE(Recognise(L"text.png", Kind::GeneralText), nullptr);

    const std::vector<int> ports = LastClientPorts(standIns_, 4);  // two tokens, two pictures
    ASSERT_EQ(ports.size(), 4u);
    EXPECT_THAT(ports, testing::Each(ports[0]));
}

TEST_F(RecognitionEndToEnd, AConnectionTheServiceClosedIsReplaced) {
    // Broken in the middle of an answer: that picture fails as a network
    // failure, the next one is read over a new connection.
    ASSERT_TRUE(standIns_.Script(
        R"({"host":"ocr","path":"/rest/2.0/ocr/v1/general_basic","closeEarly":true})"));
    EXPECT_EQ(Recognise(L"line.png", Kind::GeneralText), nullptr);
    ASSERT_EQ(recorder_.Shown().size(), 1u);
    EXPECT_THAT(recorder_.Shown()[0].body, HasSubstr(L"无法连接识别服务器"));
    const int brokenPort = LastClientPorts(standIns_, 1).at(0);
    ASSERT_NE(Recognise(L"line.png", Kind::GeneralText), nullptr);
    EXPECT_NE(LastClientPorts(standIns_, 1).at(0), brokenPort);

    // Closed by the service while idle (it keeps an idle connection for
    // 5 s), as between two pictures a user recognises minutes apart.
    Sleep(6000);
    ASSERT_NE(Recognise(L"line.png", Kind::GeneralText), nullptr);
    EXPECT_EQ(recorder_.Shown().size(), 1u);
}

TEST_F(RecognitionEndToEnd, IdentityCardFrontAndBack) {
    RecognitionWorker worker = Worker(Kind::IdCardPair);
    auto front = worker.Recognise(PicturePath(L"idcard-front.png"), Kind::IdCardFront);
    auto back = worker.Recognise(PicturePath(L"idcard-back.png"), Kind::IdCardBack);

    ASSERT_NE(front, nullptr);
    ASSERT_NE(back, nullptr);
    EXPECT_THAT(front->lines, Contains(L"姓名：张三"));
    EXPECT_THAT(front->lines, Contains(L"公民身份号码：11010819900102123X"));
    EXPECT_EQ(front->imageStatus, "normal");
    EXPECT_THAT(back->lines, Contains(L"失效日期：20300115"));
}

TEST_F(RecognitionEndToEnd, AReversedIdentityCardIsRefusedWithItsMessage) {
    EXPECT_EQ(
        Worker(Kind::IdCardPair).Recognise(PicturePath(L"idcard-back.png"), Kind::IdCardFront),
        nullptr);
    ASSERT_EQ(recorder_.Shown().size(), 1u);
    EXPECT_THAT(recorder_.Shown()[0].body, HasSubstr(L"放反"));
}

TEST_F(RecognitionEndToEnd, BankCard) {
    auto card = Recognise(L"bankcard.png", Kind::BankCard);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->bankCardNumber, "6222 0202 0011 2345 679");
    EXPECT_EQ(card->bankName, L"中国工商银行");
    EXPECT_THAT(card->lines, IsEmpty());
}

TEST_F(RecognitionEndToEnd, LicencesAndPassport) {
    auto driving = Recognise(L"driving.png", Kind::DrivingLicense);
    auto vehicle = Recognise(L"vehicle.png", Kind::VehicleLicense);
    auto business = Recognise(L"business.png", Kind::BusinessLicense);
    auto passport = Recognise(L"passport.png", Kind::Passport);

    ASSERT_NE(driving, nullptr);
    EXPECT_THAT(driving->lines, Contains(L"证号：110101199001021234"));
    EXPECT_THAT(driving->lines, Contains(L"准驾车型：C1"));
    ASSERT_NE(vehicle, nullptr);
    EXPECT_THAT(vehicle->lines, Contains(L"车辆识别代号：LSVAB4BR5EN123456"));
    ASSERT_NE(business, nullptr);
    EXPECT_THAT(business->lines, Contains(L"法人：王五"));
    ASSERT_NE(passport, nullptr);
    EXPECT_THAT(passport->lines, Contains(L"护照号码：E12345678"));
}

TEST_F(RecognitionEndToEnd, InvoiceFieldsAndGoodsRowsUnderTheLanguageFilesLabels) {
    auto invoice = Recognise(L"invoice.png", Kind::VatInvoice);
    ASSERT_NE(invoice, nullptr);
    EXPECT_THAT(invoice->lines, Contains(L"发票号码：12345678"));
    EXPECT_THAT(invoice->lines, Contains(StartsWith(L"货物或服务：打印纸")));
}

TEST_F(RecognitionEndToEnd, AccountPermitIsReadAsTextAndParsed) {
    auto permit = Recognise(L"permit.png", Kind::AccountPermit);
    ASSERT_NE(permit, nullptr);
    EXPECT_EQ(permit->kind, Kind::AccountPermit);
    EXPECT_THAT(ParsePermit(Joined(*permit), Kind::AccountPermit),
                HasSubstr(L"账号：0200001234567890123\r\n"));
}

TEST_F(RecognitionEndToEnd, TableBecomesADownloadedSpreadsheet) {
    auto table = Recognise(L"table.png", Kind::FormTable);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->kind, Kind::FormTable);
    EXPECT_EQ(table->spreadsheetPath, WideToUtf8(sheets_.File(L"识别结果1.xls")));
    // The stand-in builds the spreadsheet as a zipped workbook.
    EXPECT_EQ(ReadFileBytes(sheets_.File(L"识别结果1.xls")).substr(0, 2), "PK");
}

TEST_F(RecognitionEndToEnd, AServiceErrorIsShownWithItsText) {
    ASSERT_TRUE(
        standIns_.Script(R"({"host":"ocr","path":"/rest/2.0/ocr/v1/passport","errorCode":17})"));
    EXPECT_EQ(Recognise(L"passport.png", Kind::Passport), nullptr);
    ASSERT_EQ(recorder_.Shown().size(), 1u);
    EXPECT_THAT(recorder_.Shown()[0].body, HasSubstr(L"次数"));
    EXPECT_EQ(recorder_.Shown()[0].flags, static_cast<UINT>(MB_ICONERROR));
}

TEST_F(RecognitionEndToEnd, FilesThatAreNoPicturesAreRefusedByTheService) {
    WriteFileBytes(sheets_.File(L"notes.png"), "these are notes, not a picture");
    std::string truncated = ReadFileBytes(Utf8ToWide(PicturePath(L"line.png")));
    truncated.resize(truncated.size() / 3);
    WriteFileBytes(sheets_.File(L"truncated.png"), truncated);

    for (const wchar_t* name : {L"notes.png", L"truncated.png"}) {
        MessageRecorder recorder;
        EXPECT_EQ(
            Worker(Kind::GeneralText).Recognise(WideToUtf8(sheets_.File(name)), Kind::GeneralText),
            nullptr);
        ASSERT_EQ(recorder.Shown().size(), 1u);
        EXPECT_THAT(recorder.Shown()[0].body, HasSubstr(L"图片"));
    }
}

}  // namespace
