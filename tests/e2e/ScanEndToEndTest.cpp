// Scanning through the real program on both manager paths: Wine's own TWAIN
// manager finds the virtual scanner and the program's choice dialog picks it,
// or the stand-in "TWAINDSM.dll" beside the program makes the choice itself;
// the pages become a run and the stand-in cloud service reads them.
#include <gtest/gtest.h>

#include "common/StringConversion.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/MessageDialog.h"
#include "tests/e2e/ProgramFixture.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/e2e/StandIns.h"
#include "tests/e2e/VirtualScannerInstall.h"
#include "tests/ui/DialogDriver.h"

namespace {

// The stand-in "TWAINDSM.dll" beside the program while this lives: the
// program takes its new-manager path, and the manager finds the install
// folder's own "sane.ds". Its script, its log and the scanner's script
// there are removed again.
class InstalledManager {
public:
    InstalledManager() {
        WriteFileBytes(manager_.Path(), ReadFileBytes(PIMLO_TWAIN_MANAGER));
        DeleteFileW(log_.Path().c_str());
    }
    void Choose(int source) const {
        WriteFileBytes(script_.Path(), "[Manager]\r\nChoose=" + std::to_string(source) + "\r\n");
    }
    void ScannerScript(const std::string& lines) const {
        WriteScannerScript(scannerScript_.Path(), lines);
    }
    // What the program asked of the manager, a line each.
    std::string Log() const { return ReadFileBytes(log_.Path()); }

private:
    SavedFile manager_{PIMLO_INSTALL_DIR L"\\TWAINDSM.dll"};
    SavedFile script_{PIMLO_INSTALL_DIR L"\\TwainManager.ini"};
    SavedFile log_{PIMLO_INSTALL_DIR L"\\TwainManager.log"};
    SavedFile scannerScript_{PIMLO_INSTALL_DIR L"\\VirtualScanner.ini"};
};

// The program started while this lives loads no Wine DLL of that name.
class ScopedDisabledDll {
public:
    explicit ScopedDisabledDll(const wchar_t* name) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, name, REG_SZ, L"", sizeof(wchar_t));
    }

private:
    static constexpr wchar_t kProgram[] = L"Software\\Wine\\AppDefaults\\PimloOCR.exe";
    static constexpr wchar_t kOverrides[] =
        L"Software\\Wine\\AppDefaults\\PimloOCR.exe\\DllOverrides";
    SavedRegistryKey program_{HKEY_CURRENT_USER, kProgram};
    SavedRegistryKey overrides_{HKEY_CURRENT_USER, kOverrides};
};

class ScanEndToEnd : public ProgramAgainstStandIns {
protected:
    // Clicks "扫描仪识别" and confirms the first source the choice lists; its name.
    static std::wstring ScanWithFirstSource(ProgramSession& program) {
        if (!program.Click(L"ScannerPage")) return L"";
        DialogDriver choice(L"PimloOCRDialogClass", GetProcessId(program.Process()));
        if (!choice.WaitForWindow()) return L"";
        const std::wstring name = choice.Text(L"DSMItem0");
        choice.Click(L"btnYes");
        return name;
    }

    // Clicks "扫描仪识别" and reads the message it shows; closes it.
    static std::wstring ScanMessage(ProgramSession& program) {
        if (!program.Click(L"ScannerPage")) return L"";
        DialogDriver message(L"PimloOCRDialogClass", GetProcessId(program.Process()));
        if (!MessageShown(message)) return L"";
        const std::wstring text = message.Text(L"context");
        message.Click(L"btnClose");
        return text;
    }

    std::wstring TextFile(const wchar_t* name) const {
        return TextFileContent(JoinPath(OutputFolder(), name));
    }

    InstalledScanner scanner_;
};

TEST_F(ScanEndToEnd, ThreePagesAreRecognisedInTheirOrder) {
    scanner_.Script("Pages=3\r\nRefuseCount=1\r\n");
    const int before = TextRequests();
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_EQ(ScanWithFirstSource(program), L"Pimlo Virtual Scanner");

    // The pages come first, then the run: its end shows the result list.
    ASSERT_TRUE(
        ProgramSession::WaitFor([&] { return program.Visible(L"listFiles"); }, kRunTimeoutMs));
    EXPECT_EQ(TextRequests(), before + 3);
    for (const auto& [file, page] : {std::pair{L"pic.jpg.txt", L"page 1"},
                                     {L"pic1.jpg.txt", L"page 2"},
                                     {L"pic2.jpg.txt", L"page 3"}}) {
        EXPECT_NE(TextFile(file).find(page), std::wstring::npos) << TextFile(file);
    }
}

TEST_F(ScanEndToEnd, ClosingTheScannerWithoutPagesAndAFailedScanLeaveTheProgramReady) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    const int before = TextRequests();
    for (const char* script : {"Cancel=1\r\n", "FailImageInfo=1\r\n", "FailPage=1\r\n"}) {
        scanner_.Script(script);
        ASSERT_FALSE(ScanWithFirstSource(program).empty()) << script;
        // The source is closed; the copying hint goes with it; nothing is queued.
        ASSERT_TRUE(scanner_.WaitForClosing()) << script;
        EXPECT_TRUE(ProgramSession::WaitFor([] {
            return !FindWindowW(L"PimloOCRCopyDialogClass", nullptr);
        })) << script;
        EXPECT_TRUE(program.Visible(L"Pic-OCR")) << script;
    }
    EXPECT_EQ(TextRequests(), before);

    // The source was closed each time: the next scan opens it again.
    scanner_.Script("Pages=1\r\n");
    ASSERT_FALSE(ScanWithFirstSource(program).empty());
    ASSERT_TRUE(
        ProgramSession::WaitFor([&] { return program.Visible(L"ocrText"); }, kRunTimeoutMs));
    EXPECT_NE(program.Text(L"ocrText").find(L"page 1"), std::wstring::npos)
        << program.Text(L"ocrText");
}

TEST_F(ScanEndToEnd, AChineseProductNameIsShownInTheChoice) {
    const std::wstring name = L"虚拟扫描仪";
    scanner_.Script("Pages=1\r\nProductName=" + WideToAnsi(name) + "\r\n");
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_EQ(ScanWithFirstSource(program), name);
    ASSERT_TRUE(
        ProgramSession::WaitFor([&] { return program.Visible(L"ocrText"); }, kRunTimeoutMs));
}

TEST_F(ScanEndToEnd, WithoutSourcesOrWithoutAManagerAScanExplainsWhy) {
    // Wine's manager always offers its camera source; without it and without
    // the virtual scanner it lists nothing.
    scanner_.Remove();
    {
        ScopedDisabledDll noCamera(L"gphoto2.ds");
        ProgramSession program;
        ASSERT_NE(program.Window(), nullptr);
        EXPECT_EQ(ScanMessage(program), MessageBody(MessageKeys::NotFoundDSM));
        EXPECT_TRUE(program.Visible(L"Pic-OCR"));
    }
    ScopedDisabledDll noManager(L"twain_32");
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_EQ(ScanMessage(program), MessageBody(MessageKeys::ScannerIsInvalid));
    EXPECT_TRUE(program.Visible(L"Pic-OCR"));
}

TEST_F(ScanEndToEnd, WithItsOwnManagerTheManagersChoiceGivesOnePage) {
    InstalledManager manager;
    manager.ScannerScript("Pages=3\r\n");
    const int before = TextRequests();
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);

    // The user cancels the manager's choice: nothing is opened or scanned.
    manager.Choose(0);
    ASSERT_TRUE(program.Click(L"ScannerPage"));
    ASSERT_TRUE(ProgramSession::WaitFor([&] {
        return manager.Log() == "OPENDSM\r\nUSERSELECT\r\n";
    })) << manager.Log();

    // The program's own choice never shows; one page is asked for and read.
    manager.Choose(1);
    ASSERT_TRUE(program.Click(L"ScannerPage"));
    ASSERT_TRUE(
        ProgramSession::WaitFor([&] { return program.Visible(L"ocrText"); }, kRunTimeoutMs));
    EXPECT_EQ(FindVisibleWindowOf(GetProcessId(program.Process()), L"PimloOCRDialogClass"),
              nullptr);
    EXPECT_NE(program.Text(L"ocrText").find(L"page 1"), std::wstring::npos)
        << program.Text(L"ocrText");
    EXPECT_EQ(TextRequests(), before + 1);
    EXPECT_EQ(manager.Log(),
              "OPENDSM\r\nUSERSELECT\r\nUSERSELECT\r\nOPENDS Pimlo Virtual Scanner\r\n"
              "CLOSEDS Pimlo Virtual Scanner\r\n");
}

}  // namespace
