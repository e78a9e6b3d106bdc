// Batch runs through the real program: pictures dropped on the window,
// recognised by the stand-in cloud API over verified HTTPS, shown on the
// result pages and written to the output folder.
#include <gmock/gmock.h>

#include "app/AppFolders.h"
#include "app/LanguageFile.h"
#include "app/LanguageText.h"
#include "common/GdiplusSession.h"
#include "common/Md5.h"
#include "common/StringConversion.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/MessageDialog.h"
#include "tests/e2e/ProgramFixture.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/e2e/StandIns.h"
#include "tests/ui/DialogDriver.h"
#include "tests/uilib/ScopedClipboardText.h"

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr wchar_t kLine[] = L"Pimlo reads this line 2026";

using BatchRunEndToEnd = ProgramAgainstStandIns;

TEST_F(BatchRunEndToEnd, OnePictureShowsItsTextAndWritesNothing) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"one.png"));

    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_TRUE(program.Visible(L"ocrText"));
    EXPECT_THAT(program.Text(L"ocrText"), HasSubstr(kLine));
    EXPECT_FALSE(PathExists(OutputFolder()));
}

TEST_F(BatchRunEndToEnd, GeneralTextIsReadOfflineWhenHighQualityIsOff) {
    WriteProgramSettings({{L"UseHighQuality", L"0"}});
    ServiceHosts offline = standIns_.Hosts();
    offline.ocr = L"127.0.0.1:9";  // nothing listens: the cloud is out of reach
    ScopedServiceHosts unreachable{PIMLO_INSTALL_DIR, offline};
    // What the user copied stays on the clipboard the engine answers through.
    ScopedClipboardText copied(L"the user's own words");
    const int before = TextRequests();
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"offline.png"));

    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_THAT(program.Text(L"ocrText"), HasSubstr(kLine));
    EXPECT_EQ(TextRequests(), before);
    EXPECT_EQ(ClipboardUnicodeText(), L"the user's own words");
}

TEST_F(BatchRunEndToEnd, ThreePicturesWriteATextFileEachAndAreListed) {
    WriteFileBytes(OutputFolder(), "");  // taken: the run uses the next free name
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"a.jpg") + L"\n" + Picture(L"text.png", L"b.png") +
                           L"\n" + Picture(L"line.png", L"c.bmp"));

    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_TRUE(program.Visible(L"listFiles"));
    EXPECT_EQ(program.Text(L"resultNote"), Text(TextKeys::BatchSavedTexts));
    const std::wstring folder = OutputFolder(L"1");
    for (const wchar_t* name : {L"a.jpg.txt", L"b.png.txt", L"c.bmp.txt"}) {
        const std::string bytes = ReadFileBytes(JoinPath(folder, name));
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << WideToUtf8(name);
    }
    EXPECT_THAT(TextFileContent(JoinPath(folder, L"a.jpg.txt")),
                HasSubstr(std::wstring(kLine) + L"\r\n"));
}

TEST_F(BatchRunEndToEnd, APictureWithoutTextIsWrittenWithTheNoneText) {
    ASSERT_TRUE(standIns_.Script(R"([
        {"host":"ocr","path":"/rest/2.0/ocr/v1/general_basic","delayMs":1},
        {"host":"ocr","path":"/rest/2.0/ocr/v1/general_basic",
         "body":"{\"log_id\":1,\"words_result_num\":0,\"words_result\":[]}"}])"));
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"a.png") + L"\n" + Picture(L"line.png", L"b.png"));

    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_THAT(TextFileContent(JoinPath(OutputFolder(), L"a.png.txt")), HasSubstr(kLine));
    EXPECT_EQ(TextFileContent(JoinPath(OutputFolder(), L"b.png.txt")), Text(TextKeys::OCRNone));
}

TEST_F(BatchRunEndToEnd, ASaveFolderThatCanNotHoldTheOutputFolderStopsTheRunBeforeItStarts) {
    // A file where the save folder should be: no folder can be made under it.
    const std::wstring saveFile = save_.File(L"notes.txt");
    WriteFileBytes(saveFile, "the user's notes");
    WriteProgramSettings({{L"SavePath", saveFile}});
    const int before = TextRequests();
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"a.png") + L"\n" + Picture(L"line.png", L"b.png"));

    DialogDriver message(L"PimloOCRDialogClass", GetProcessId(program.Process()));
    ASSERT_TRUE(MessageShown(message));
    EXPECT_EQ(message.Text(L"context"), MessageBody(MessageKeys::SavePathNotExist));
    EXPECT_THAT(message.Text(L"context"), HasSubstr(L"保存目录"));
    ASSERT_TRUE(message.Click(L"btnClose"));

    // Nothing was sent; the pictures stay queued for another try.
    EXPECT_EQ(TextRequests(), before);
    EXPECT_EQ(program.Value(L"buttonOCR", L"enabled"), L"1");
    EXPECT_EQ(ReadFileBytes(saveFile), "the user's notes");
}

TEST_F(BatchRunEndToEnd, FilesThatAreNoPicturesEndTheRunWithAMessageAndAreKept) {
    const std::wstring notes = pictures_.File(L"notes.png");
    WriteFileBytes(notes, "these are notes, not a picture");
    const std::wstring empty = pictures_.File(L"empty.jpg");
    WriteFileBytes(empty, "");
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    DialogDriver message(L"PimloOCRDialogClass", GetProcessId(program.Process()));

    // Refused by the service, with its own text; then one that is empty,
    // refused by the program before anything is sent.
    for (const auto& [picture, expected] :
         {std::pair{notes, std::wstring(L"图片格式")},
          std::pair{empty, MessageBody(MessageKeys::ImageSizeIsZero)}}) {
        Recognise(program, picture);
        ASSERT_TRUE(MessageShown(message, kRunTimeoutMs));
        EXPECT_THAT(message.Text(L"context"), HasSubstr(expected));
        const HWND shown = message.Window();
        ASSERT_TRUE(message.Click(L"btnClose"));
        ASSERT_TRUE(ProgramSession::WaitFor([&] { return !IsWindow(shown); }));
        ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
        EXPECT_TRUE(program.Visible(L"LayoutAddPic1"));
    }
    EXPECT_EQ(ReadFileBytes(notes), "these are notes, not a picture");
    EXPECT_TRUE(FileExists(empty));
}

TEST_F(BatchRunEndToEnd, ABusyClipboardIsToldInsteadOfCopyingNothing) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"one.png"));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));

    HWND holder =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));
    EmptyClipboard();
    ASSERT_TRUE(program.Click(L"CopyText"));
    DialogDriver message(L"PimloOCRDialogClass", GetProcessId(program.Process()));
    const bool told = MessageShown(message);
    const std::wstring text = told ? message.Text(L"context") : L"";
    CloseClipboard();
    DestroyWindow(holder);

    EXPECT_EQ(text, MessageBody(MessageKeys::ClipboardBusy));
    EXPECT_THAT(text, HasSubstr(L"剪贴板"));
    ASSERT_TRUE(message.Click(L"btnClose"));
    // Once the clipboard is free again the copy goes through (and is confirmed).
    const HWND busyMessage = message.Window();
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return !IsWindow(busyMessage); }));
    ASSERT_TRUE(program.Click(L"CopyText"));
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return message.WaitForWindow(); }));
    message.Click(L"btnClose");
    EXPECT_THAT(ClipboardUnicodeText(), HasSubstr(kLine));
}

TEST_F(BatchRunEndToEnd, TheSamePictureQueuedTwiceStillEndsTheRun) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    const std::wstring picture = Picture(L"line.png", L"same.png");
    Recognise(program, picture + L"\n" + picture);

    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_TRUE(program.Visible(L"listFiles"));
    EXPECT_TRUE(program.Click(L"BackResultOK"));
}

TEST_F(BatchRunEndToEnd, PicturesDroppedDuringARunAreRefusedAndTheRunFinishes) {
    // The first answer waits, so the drop lands while the run goes on.
    ASSERT_TRUE(standIns_.Script(
        R"({"host":"ocr","path":"/rest/2.0/ocr/v1/general_basic","delayMs":2000})"));
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"a.png") + L"\n" + Picture(L"line.png", L"b.png") +
                           L"\n" + Picture(L"line.png", L"c.png"));
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"scanAni"); }));
    program.Drop(Picture(L"line.png", L"late.png"));

    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_TRUE(program.Visible(L"listFiles"));
    for (const wchar_t* name : {L"a.png.txt", L"b.png.txt", L"c.png.txt"}) {
        EXPECT_THAT(TextFileContent(JoinPath(OutputFolder(), name)), HasSubstr(kLine))
            << WideToUtf8(name);
    }
    EXPECT_FALSE(PathExists(JoinPath(OutputFolder(), L"late.png.txt")));
}

// Draws a drawn picture at the top left of a white canvas of the given size,
// saved as PNG.
void DrawOnCanvas(const std::wstring& drawn, int width, int height, const std::wstring& target) {
    Gdiplus::Bitmap canvas(width, height, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics graphics(&canvas);
        graphics.Clear(Gdiplus::Color(255, 255, 255));
        Gdiplus::Bitmap picture(drawn.c_str());
        graphics.DrawImage(&picture, 0, 0, picture.GetWidth(), picture.GetHeight());
    }
    CLSID png = {};
    CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
    canvas.Save(target.c_str(), &png, nullptr);
}

TEST_F(BatchRunEndToEnd, ALargePictureIsQueuedAsAShrunkPngCopy) {
    WriteProgramSettings({{L"CompressedSizeLimit", L"1"}, {L"MaxImageSize", L"4096"}});
    GdiplusSession gdiplus;
    const std::wstring large = pictures_.File(L"large.jpg");
    DrawOnCanvas(JoinPath(WorkingFolder(), L"line.png"), 5000, 3000, large);
    // Where the program keeps the copy: named after the MD5 of the path.
    const std::wstring copy = JoinPath(
        JoinPath(CompressFolder(SystemTempFolder()), Utf8ToWide(Md5Hex(WideToUtf8(large)))),
        L"large.jpg");
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, large);

    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_THAT(program.Text(L"ocrText"), HasSubstr(L"Pimlo"));
    Gdiplus::Bitmap queued(copy.c_str());
    EXPECT_EQ(queued.GetWidth(), 4000u);
    EXPECT_EQ(queued.GetHeight(), 2400u);
    EXPECT_EQ(ReadFileBytes(copy).substr(1, 3), "PNG");
}

TEST_F(BatchRunEndToEnd, TabHeldOnTheRecogniseButtonDownloadsASpreadsheet) {
    const char kTableRequest[] = "/rest/2.0/solution/v1/form_ocr/request";
    const int tablesBefore = standIns_.CountRequests("ocr", kTableRequest);
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    program.Drop(Picture(L"table.png", L"prices.png"));
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"buttonOCR"); }));
    ASSERT_TRUE(program.HoldKey(VK_TAB, true));
    ASSERT_TRUE(program.Click(L"buttonOCR"));
    const bool ended = program.WaitForRunEnd(kRunTimeoutMs);
    ASSERT_TRUE(program.HoldKey(VK_TAB, false));

    ASSERT_TRUE(ended);
    EXPECT_TRUE(program.Visible(L"listFiles"));
    EXPECT_EQ(program.Text(L"resultNote"), Text(TextKeys::BatchSavedSheets));
    // The stand-in builds the spreadsheet as a zipped workbook.
    EXPECT_EQ(ReadFileBytes(JoinPath(OutputFolder(), L"识别结果1.xls")).substr(0, 2), "PK");
    EXPECT_EQ(standIns_.CountRequests("ocr", kTableRequest), tablesBefore + 1);
}

TEST_F(BatchRunEndToEnd, TheTableHintOfTheTabKeyIsNotWrittenToTheLog) {
    const std::wstring settings = ProgramSettingsFile();
    const std::wstring log = JoinPath(settings.substr(0, settings.rfind(L'\\')), L"run.log");
    DeleteFileW(log.c_str());  // only this program's lines
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    program.Drop(Picture(L"line.png", L"hint.png"));
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"buttonOCR"); }));

    // Sent, so both are handled when the calls return: the first press, then the release.
    SendMessageW(program.Window(), WM_KEYDOWN, VK_TAB, 1);
    SendMessageW(program.Window(), WM_KEYUP, VK_TAB, 0xC0000001);

    EXPECT_THAT(ReadFileBytes(log), Not(HasSubstr("xls")));
}

TEST_F(BatchRunEndToEnd, AFailingPictureStopsTheRunWithItsMessage) {
    const int before = standIns_.CountRequests("ocr", "/rest/2.0/ocr/v1/general_basic");
    ASSERT_TRUE(standIns_.Script(R"([
        {"host":"ocr","path":"/rest/2.0/ocr/v1/general_basic","delayMs":1},
        {"host":"ocr","path":"/rest/2.0/ocr/v1/general_basic","errorCode":17}])"));
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"a.png") + L"\n" + Picture(L"line.png", L"b.png") +
                           L"\n" + Picture(L"line.png", L"c.png"));

    DialogDriver message(L"PimloOCRDialogClass", GetProcessId(program.Process()));
    ASSERT_TRUE(MessageShown(message, kRunTimeoutMs));
    EXPECT_THAT(message.Text(L"context"), HasSubstr(L"识别次数"));
    EXPECT_TRUE(message.Visible(L"errorLogo"));
    ASSERT_TRUE(message.Click(L"btnClose"));

    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_TRUE(program.Visible(L"LayoutAddPic1"));
    EXPECT_EQ(standIns_.CountRequests("ocr", "/rest/2.0/ocr/v1/general_basic"), before + 2);
    EXPECT_FALSE(PathExists(JoinPath(OutputFolder(), L"c.png.txt")));
}

TEST_F(BatchRunEndToEnd, IdentityCardFrontAloneAndWithItsBack) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.Click(L"Licensen-OCR"));
    ASSERT_TRUE(program.Click(L"IdCardOCR"));
    ASSERT_NO_FATAL_FAILURE(AddIdCardSides(program, false));

    ASSERT_TRUE(program.Click(L"buttonOCR"));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    // The driver writes line breaks as "\\r\\n".
    EXPECT_THAT(program.Text(L"ocrText"), HasSubstr(L"姓名：张三\\r\\n"));
    EXPECT_THAT(program.Text(L"ocrText"), ::testing::Not(HasSubstr(L"失效日期")));

    ASSERT_TRUE(program.Click(L"BackResultOK"));
    ASSERT_NO_FATAL_FAILURE(AddIdCardSides(program, true));
    ASSERT_TRUE(program.Click(L"buttonOCR"));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    const std::wstring both = program.Text(L"ocrText");
    EXPECT_THAT(both, HasSubstr(L"姓名：张三"));
    EXPECT_THAT(both, HasSubstr(L"失效日期：20300115"));
    EXPECT_LT(both.find(L"姓名"), both.find(L"失效日期"));
}

int StoredSetting(const wchar_t* key) {
    return static_cast<int>(
        GetPrivateProfileIntW(L"General", key, -1, ProgramSettingsFile().c_str()));
}

TEST_F(BatchRunEndToEnd, MergedTextsAreShownTogetherAndTheQuestionCanBeTurnedOff) {
    WriteProgramSettings({{L"RemindMergeBatch", L"1"}});
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"m1.png") + L"\n" + Picture(L"text.png", L"m2.png") +
                           L"\n" + Picture(L"line.png", L"m3.png"));

    DialogDriver question(L"PimloOCRDialogClass", GetProcessId(program.Process()));
    ASSERT_TRUE(question.WaitForWindow());
    ASSERT_TRUE(question.Click(L"optMerge"));
    ASSERT_TRUE(question.Click(L"checkNotRemind"));  // ticked while reminding: unticking stops it
    ASSERT_TRUE(ProgramSession::WaitFor([] { return StoredSetting(L"RemindMergeBatch") == 0; }));
    ASSERT_TRUE(question.Click(L"btnClose"));

    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    const std::wstring merged = program.Text(L"ocrText");
    EXPECT_THAT(merged, HasSubstr(std::wstring(kLine) + L"\\r\\n\\r\\n"));
    EXPECT_EQ(merged.find(kLine), 0u);
    EXPECT_NE(merged.rfind(kLine), merged.find(kLine));
    EXPECT_FALSE(PathExists(OutputFolder()));
}

TEST_F(BatchRunEndToEnd, TheCloseQuestionCanChooseToExitForGood) {
    WriteProgramSettings({{L"HideWhenClose", L"1"}, {L"RemindWhenClose", L"1"}});
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.Click(L"btnClose"));

    DialogDriver question(L"PimloOCRDialogClass", GetProcessId(program.Process()));
    ASSERT_TRUE(question.WaitForWindow());
    EXPECT_TRUE(question.Selected(L"optHide"));
    ASSERT_TRUE(question.Click(L"optExit"));
    ASSERT_TRUE(question.Click(L"checkNotRemind"));
    ASSERT_TRUE(question.Click(L"btnYes"));

    EXPECT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(StoredSetting(L"RemindWhenClose"), 0);
    EXPECT_EQ(StoredSetting(L"HideWhenClose"), 0);
}

TEST_F(BatchRunEndToEnd, ClosingTheWindowDuringARunEndsTheProgramCleanly) {
    WriteProgramSettings({{L"HideWhenClose", L"0"}, {L"RemindWhenClose", L"0"}});
    const std::wstring settingsFile = ProgramSettingsFile();
    const std::wstring dump =
        JoinPath(settingsFile.substr(0, settingsFile.size() - FileNameOf(settingsFile).size()),
                 L"Error.tmp");
    DeleteFileW(dump.c_str());
    ASSERT_TRUE(standIns_.Script(
        R"({"host":"ocr","path":"/rest/2.0/ocr/v1/general_basic","delayMs":3000})"));
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"slow.png"));
    ASSERT_TRUE(
        ProgramSession::WaitFor([&] { return program.Value(L"buttonOCR", L"enabled") == L"0"; }));

    // The recognition is still waiting for the service: the program ends at
    // once, without a crash report.
    ASSERT_TRUE(program.Click(L"btnClose"));
    ASSERT_TRUE(program.WaitForExit(10000));
    DWORD exitCode = 1;
    GetExitCodeProcess(program.Process(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(FileExists(dump));
}

}  // namespace
