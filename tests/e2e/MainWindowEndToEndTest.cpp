// The real program under Wine: one copy at a time, the pages walked through
// the test driver, files dropped on the window, and closing.
#include <gmock/gmock.h>

#include "app/LanguageText.h"
#include "app/Registry.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/e2e/ProgramStartState.h"

namespace {

class MainWindowEndToEnd : public testing::Test {
protected:
    MainWindowEndToEnd() {
        // The close button acts at once, without its question.
        WriteProgramSettings({{L"HideWhenClose", L"1"}, {L"RemindWhenClose", L"0"}});
    }

    // No stand-in serves these tests: every host is a closed loopback port.
    ScopedServiceHosts hosts_{PIMLO_INSTALL_DIR, ClosedServiceHosts()};
    ScopedStartState startState_;
    ScopedLanguageFile language_{PIMLO_LANGUAGE_DIR L"\\cn.dat"};
};

TEST_F(MainWindowEndToEnd, ASecondCopyRaisesTheFirstAndEnds) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    ShowWindow(program.Window(), SW_HIDE);

    EXPECT_EQ(ProgramSession::RunToEnd(L""), 0u);

    EXPECT_EQ(ProgramSession::WindowCount(), 1);
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return IsWindowVisible(program.Window()) != 0; }));
}

TEST_F(MainWindowEndToEnd, AutorunStartsHidden) {
    ProgramSession program(L"/autorun");
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_FALSE(IsWindowVisible(program.Window()));
}

TEST_F(MainWindowEndToEnd, PagesFollowTheButtonsAndBack) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.Visible(L"Pic-OCR"));

    ASSERT_TRUE(program.Click(L"Pic-OCR"));
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"buttonAddPic"); }));
    EXPECT_EQ(program.Text(L"titleLicense"), Text(TextKeys::LicenseTitlePic));
    EXPECT_FALSE(program.Visible(L"buttonOCR"));

    ASSERT_TRUE(program.Click(L"Back"));
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"Licensen-OCR"); }));

    ASSERT_TRUE(program.Click(L"Licensen-OCR"));
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"BankCardOCR"); }));
    ASSERT_TRUE(program.Click(L"BankCardOCR"));
    EXPECT_TRUE(ProgramSession::WaitFor(
        [&] { return program.Text(L"titleLicense") == Text(TextKeys::LicenseTitleBankcard); }));
    // A card's page leads back to the card chooser, the chooser to home.
    ASSERT_TRUE(program.Click(L"Back"));
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"IdCardOCR"); }));

    ASSERT_TRUE(program.Click(L"IdCardOCR"));
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"titleIdcardFront"); }));
    EXPECT_TRUE(program.Visible(L"buttonOCR"));
    EXPECT_FALSE(program.Visible(L"buttonAddPic"));
    EXPECT_EQ(program.Text(L"titleIdcardFront"), Text(TextKeys::LicenseTitleIdcardFront));
    ASSERT_TRUE(program.Click(L"Back"));
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"BankCardOCR"); }));
    ASSERT_TRUE(program.Click(L"Back"));
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"Pic-OCR"); }));
}

TEST_F(MainWindowEndToEnd, DroppedPicturesAreQueuedAndOtherFilesShakeTheWindow) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);

    program.Drop(L"C:\\pictures\\a.png\nC:\\pictures\\notes.txt\nC:\\pictures\\b.JPG");
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"LayoutAddPic2"); }));
    EXPECT_EQ(program.Text(L"addFileText"), FormattedText(TextKeys::AddPicM, {2}));
    EXPECT_TRUE(program.Visible(L"buttonOCR"));

    RECT before = {};
    GetWindowRect(program.Window(), &before);
    program.Drop(L"C:\\pictures\\notes.txt");
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"LayoutAddPic1"); }));
    RECT after = {};
    GetWindowRect(program.Window(), &after);
    EXPECT_EQ(after.left, before.left);  // back in place after shaking

    // The card chooser takes no drops.
    ASSERT_TRUE(program.Click(L"Back"));
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"Licensen-OCR"); }));
    ASSERT_TRUE(program.Click(L"Licensen-OCR"));
    ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"BankCardOCR"); }));
    program.Drop(L"C:\\pictures\\a.png");
    Sleep(300);
    EXPECT_TRUE(program.Visible(L"BankCardOCR"));
}

TEST_F(MainWindowEndToEnd, CloseButtonHidesButAltF4Ends) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);

    ASSERT_TRUE(program.Click(L"btnClose"));
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return !IsWindowVisible(program.Window()); }));
    EXPECT_FALSE(program.WaitForExit(0));

    PostMessageW(program.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.WaitForExit(10000));
}

// The machine-wide machine code, as the program reads it in both builds.
std::wstring StoredMachineCode() {
    return ReadRegistryText({HKEY_LOCAL_MACHINE, L"Software\\PimloOCR", KEY_WOW64_32KEY}, L"uid",
                            256)
        .value_or(L"");
}

void StoreMachineCode(const std::wstring& code) {
    const RegistryLocation machine{HKEY_LOCAL_MACHINE, L"Software\\PimloOCR", KEY_WOW64_32KEY};
    if (code.empty())
        DeleteRegistryValue(machine, L"uid");
    else
        WriteRegistryText(machine, L"uid", code);
}

// Under Wine no disk answers and the physical memory is closed: the code is
// the one of the empty text.
constexpr wchar_t kWineMachineCode[] = L"74BE16979710D4C4";

TEST_F(MainWindowEndToEnd, WithoutAMachineCodeAnElevatedRunOfTheProgramMakesOne) {
    // "/makemachine" alone: a missing or malformed code is made, a stored one kept.
    for (const auto& [stored, expected] :
         {std::pair<std::wstring, std::wstring>{L"", kWineMachineCode},
          {L"0123456789ABCDE", kWineMachineCode},
          {L"0123456789ABCDEF", L"0123456789ABCDEF"}}) {
        StoreMachineCode(stored);
        EXPECT_EQ(ProgramSession::RunToEnd(L"/makemachine"), 0u) << stored;
        EXPECT_EQ(StoredMachineCode(), expected) << stored;
        EXPECT_EQ(ProgramSession::WindowCount(), 0);
    }
    // A start without one runs the program elevated to make it, then opens
    // (it waits 3 s for that run; a slower one still stores the code).
    StoreMachineCode(L"");
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_TRUE(
        ProgramSession::WaitFor([] { return StoredMachineCode() == kWineMachineCode; }, 15000))
        << StoredMachineCode();
}

TEST_F(MainWindowEndToEnd, TheInstallersLastStepStartsTheProgramAgainAndEnds) {
    ASSERT_EQ(ProgramSession::WindowCount(), 0);
    EXPECT_EQ(ProgramSession::RunToEnd(L"/install"), 0u);
    ASSERT_TRUE(ProgramSession::WaitFor([] { return ProgramSession::WindowCount() == 1; }, 30000));
    // The copy started for the desktop's user is ended here.
    const HWND window = FindWindowW(ProgramSession::kWindowClass, nullptr);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    ASSERT_NE(process, nullptr);
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

}  // namespace
