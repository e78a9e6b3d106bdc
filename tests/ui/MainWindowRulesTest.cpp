// The main window's rules that need no window: modes, page moves, which
// files count as pictures, and how chosen files are read.
#include <gmock/gmock.h>

#include "common/StringConversion.h"
#include "ui/MainPage.h"
#include "ui/NicknameWidth.h"
#include "ui/OcrMode.h"
#include "ui/PictureFiles.h"
#include "ui/PictureQueue.h"
#include "ui/WebAddress.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(OcrModes, EachModeRecognisesItsKindUnderItsTitle) {
    EXPECT_EQ(KindOf(OcrMode::PictureText), RecognitionKind::LocalText);
    EXPECT_EQ(KindOf(OcrMode::IdCard), RecognitionKind::IdCardPair);
    EXPECT_EQ(KindOf(OcrMode::Receipt), RecognitionKind::VatInvoice);
    EXPECT_EQ(KindOf(OcrMode::BankLicense), RecognitionKind::AccountPermit);
    EXPECT_EQ(KindOf(OcrMode::TableFromScreenshot), RecognitionKind::FormTable);
    EXPECT_EQ(std::wstring(PageIconOf(OcrMode::Passport)), L"passport_icon.png");
    EXPECT_EQ(PageTitleOf(OcrMode::DrivingLicense), &TextKeys::LicenseTitleDriving);
    EXPECT_EQ(PageTitleOf(OcrMode::Scanner), nullptr);
    EXPECT_EQ(WithoutTable(OcrMode::TableFromPictures), OcrMode::PictureText);
    EXPECT_EQ(WithoutTable(OcrMode::TableFromScreenshot), OcrMode::Screenshot);
    EXPECT_EQ(WithoutTable(OcrMode::Passport), OcrMode::Passport);
}

TEST(PageMoves, BackLeadsToTheChooserForCardsAndHomeOtherwise) {
    EXPECT_EQ(BackTarget(MainPage::AddPictures, OcrMode::BankCard), MainPage::CardChooser);
    EXPECT_EQ(BackTarget(MainPage::AppPage, OcrMode::IdCard), MainPage::CardChooser);
    EXPECT_EQ(BackTarget(MainPage::CardChooser, OcrMode::Passport), MainPage::Home);
    EXPECT_EQ(BackTarget(MainPage::AddPictures, OcrMode::Scanner), MainPage::Home);
    EXPECT_EQ(BackTarget(MainPage::AddPictures, OcrMode::PictureText), MainPage::Home);
    EXPECT_EQ(BackTarget(MainPage::TextResult, OcrMode::BankCard), MainPage::AddPictures);
    EXPECT_EQ(BackTarget(MainPage::BatchResult, OcrMode::PictureText), MainPage::AddPictures);

    EXPECT_EQ(ResultExitTarget(OcrMode::Screenshot), MainPage::Home);
    EXPECT_EQ(ResultExitTarget(OcrMode::TableFromScreenshot), MainPage::Home);
    EXPECT_EQ(ResultExitTarget(OcrMode::Scanner), MainPage::Home);
    EXPECT_EQ(ResultExitTarget(OcrMode::CardChooser), MainPage::CardChooser);
    EXPECT_EQ(ResultExitTarget(OcrMode::TableFromPictures), MainPage::AddPictures);
    EXPECT_EQ(ResultExitTarget(OcrMode::IdCard), MainPage::AddPictures);
}

TEST(PictureFiles, OnlyTheFourPictureTypesInAnyCase) {
    for (const wchar_t* name : {L"a.png", L"C:\\b.JPG", L"c.Jpeg", L"d.bmp"})
        EXPECT_TRUE(IsPictureFile(name)) << WideToUtf8(name);
    for (const wchar_t* name : {L"a.txt", L"png", L"b.png.txt", L"c.gif", L""})
        EXPECT_FALSE(IsPictureFile(name)) << WideToUtf8(name);
}

TEST(PictureFiles, ChosenFilesAreTheFolderJoinedToEachName) {
    EXPECT_THAT(ChosenFiles(L"C:\\pics\\one.png\0"), ElementsAre(L"C:\\pics\\one.png"));
    EXPECT_THAT(ChosenFiles(L"C:\\pics\0a.png\0b.jpg\0"),
                ElementsAre(L"C:\\pics\\a.png", L"C:\\pics\\b.jpg"));
    EXPECT_THAT(ChosenFiles(L"C:\\\0a.png\0b.jpg\0"), ElementsAre(L"C:\\a.png", L"C:\\b.jpg"));
    EXPECT_THAT(ChosenFiles(L""), IsEmpty());

    // A name that would not fit a path is left out; the others stay.
    const std::wstring longName(260, L'x');
    std::wstring buffer = L"C:\\pics";
    buffer += L'\0' + longName + L'\0' + L"ok.png" + L'\0' + L'\0';
    EXPECT_THAT(ChosenFiles(buffer.c_str()), ElementsAre(L"C:\\pics\\ok.png"));
}

TEST(PictureQueue, KeepsEveryNameAsUtf8InOrder) {
    PictureQueue queue;
    queue.Add(L"C:\\\uc0ac\uc9c4\\\U0001F600.png");
    queue.Add(L"D:\\a.png");
    queue.Add(L"D:\\a.png");
    EXPECT_EQ(queue.Size(), 3u);
    EXPECT_EQ(Utf8ToWide(queue.Paths()[0]), L"C:\\\uc0ac\uc9c4\\\U0001F600.png");
    EXPECT_EQ(queue.FileName(0), L"\U0001F600.png");
    queue.Clear();
    EXPECT_TRUE(queue.Empty());
}

TEST(NicknameWidth, TextPlusIconsBackInLayoutUnits) {
    EXPECT_EQ(NicknameBoxWidth(56, 96), 56 + 44 + 12);
    EXPECT_EQ(NicknameBoxWidth(-1, 96), 100 + 12);
    // At 200 % the pixels are halved, then given a fifth more room.
    EXPECT_EQ(NicknameBoxWidth(156, 192), 120 + 12);
}

TEST(WebAddress, OnlyTheHostAndPortGivenAreThatHost) {
    const std::wstring host = L"127.0.0.1:8123";
    struct Case {
        const wchar_t* address;
        bool onHost;
    } cases[] = {
        {L"http://127.0.0.1:8123/qq/login?x=1", true},
        {L"HTTP://127.0.0.1:8123", true},
        {L"http://user@127.0.0.1:8123/", true},
        {L"http://127.0.0.1:81234/", false},
        {L"http://127.0.0.1/", false},
        {L"http://evil.example/127.0.0.1:8123", false},
        {L"http://127.0.0.1:8123.evil.example/", false},
        {L"127.0.0.1:8123", false},
    };
    for (const Case& each : cases)
        EXPECT_EQ(IsAddressOnHost(each.address, host), each.onHost) << each.address;
}

}  // namespace
