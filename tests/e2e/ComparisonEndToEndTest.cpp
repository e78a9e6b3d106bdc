// The comparison view through the real program and its web engine: a
// correction made beside the picture reaches the result page, the clipboard
// and the result files (text files only), and identity cards are compared
// as one picture that lives as long as the view.
#include <gmock/gmock.h>

#include "app/AppFolders.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/ProgramFixture.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/ui/DialogDriver.h"

namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr wchar_t kLine[] = L"Pimlo reads this line 2026";

class ComparisonEndToEnd : public ProgramAgainstStandIns {
protected:
    ComparisonEndToEnd() { WriteProgramSettings({{L"RemindWhenCopy", L"0"}}); }

    // Opens the comparison view with a click on button; the view's driver.
    static DialogDriver OpenView(const ProgramSession& program, const wchar_t* button) {
        DialogDriver view(L"PimloOCRDialogClass", GetProcessId(program.Process()));
        EXPECT_TRUE(program.Click(button));
        EXPECT_TRUE(view.WaitForWindow());
        // It maximises itself just after it opens: a click before that would
        // land where a button was before the layout moved.
        EXPECT_TRUE(ProgramSession::WaitFor([&] { return IsZoomed(view.Window()) != FALSE; }));
        return view;
    }

    // Types text into the view and closes it; true when it closed.
    static bool Correct(DialogDriver& view, const std::wstring& text) {
        view.Act(L"settext", L"ocrText", text, L"set");
        if (!view.Click(L"btnClose")) return false;
        const HWND window = view.Window();
        return ProgramSession::WaitFor([window] { return !IsWindow(window); });
    }
};

TEST_F(ComparisonEndToEnd, ACorrectionIsShownOnTheResultPageAndCopied) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"图 #1.png"));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));

    DialogDriver view = OpenView(program, L"DiffText");
    const std::wstring url = view.Value(L"wke", L"url");
    EXPECT_THAT(url, StartsWith(L"file:///"));
    EXPECT_THAT(url, HasSubstr(L"/image.html?img="));
    EXPECT_THAT(url, EndsWith(L"%5C%E5%9B%BE%20%231.png"));
    EXPECT_THAT(view.Text(L"ocrText"), HasSubstr(kLine));
    ASSERT_TRUE(Correct(view, L"改过的文字"));

    EXPECT_EQ(program.Text(L"ocrText"), L"改过的文字");
    ASSERT_TRUE(program.Click(L"CopyText"));
    EXPECT_TRUE(ProgramSession::WaitFor([] { return ClipboardUnicodeText() == L"改过的文字"; }));
}

TEST_F(ComparisonEndToEnd, AListRowIsRewrittenWholeEachTimeAndASpreadsheetNever) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"a.png") + L"\n" + Picture(L"text.png", L"b.png"));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    const std::wstring result = JoinPath(OutputFolder(), L"a.png.txt");
    for (const wchar_t* correction : {L"第一次修改", L"第二次"}) {
        DialogDriver view = OpenView(program, L"btnDiff");
        ASSERT_TRUE(Correct(view, correction)) << correction;
        EXPECT_TRUE(ProgramSession::WaitFor([&] { return TextFileContent(result) == correction; }))
            << correction;
        // One byte-order mark: a second would be read back as text.
        EXPECT_EQ(ReadFileBytes(result).substr(0, 2), "\xFF\xFE");
    }

    // A table run lists spreadsheets: the view opens empty and writes nothing.
    ASSERT_TRUE(program.Click(L"BackResultOK"));
    program.Drop(Picture(L"table.png", L"prices.png"));
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"buttonOCR"); }));
    ASSERT_TRUE(program.HoldKey(VK_TAB, true));
    ASSERT_TRUE(program.Click(L"buttonOCR"));
    const bool ended = program.WaitForRunEnd(kRunTimeoutMs);
    ASSERT_TRUE(program.HoldKey(VK_TAB, false));
    ASSERT_TRUE(ended);
    const std::wstring sheet = JoinPath(OutputFolder(L"1"), L"识别结果1.xls");
    const std::string before = ReadFileBytes(sheet);
    ASSERT_FALSE(before.empty());
    DialogDriver view = OpenView(program, L"btnDiff");
    EXPECT_EQ(view.Text(L"ocrText"), L"");
    ASSERT_TRUE(Correct(view, L"不该写入"));
    EXPECT_EQ(ReadFileBytes(sheet), before);
}

TEST_F(ComparisonEndToEnd, AnIdentityCardIsComparedAsOnePictureWhileTheViewIsOpen) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.Click(L"Licensen-OCR"));
    ASSERT_TRUE(program.Click(L"IdCardOCR"));
    ASSERT_NO_FATAL_FAILURE(AddIdCardSides(program, true));
    ASSERT_TRUE(program.Click(L"buttonOCR"));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));

    const std::wstring folder = IdCardsFolder(SystemTempFolder());
    DialogDriver view = OpenView(program, L"DiffText");
    EXPECT_THAT(view.Value(L"wke", L"url"), HasSubstr(L"%5Cidc"));
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(JoinPath(folder, L"idc*.tmp").c_str(), &found);
    EXPECT_NE(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    ASSERT_TRUE(Correct(view, L"姓名：张三"));
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return !FolderExists(folder); }));
}

}  // namespace
