// Scanning through the real program: Wine's own TWAIN manager finds the
// virtual scanner, the program's choice dialog picks it, its pages become a
// run and the stand-in cloud service reads them.
#include <gtest/gtest.h>

#include "app/LanguageText.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/e2e/StandIns.h"
#include "tests/ui/DialogDriver.h"

namespace {

constexpr char kGeneralText[] = "/rest/2.0/ocr/v1/general_basic";
constexpr DWORD kRunTimeoutMs = 60000;

// The system folder where Wine's manager looks for "sane.ds", by the
// build's width.
std::wstring SourceFolder() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return JoinPath(windows, sizeof(void*) == 8 ? L"twain_64" : L"twain_32");
}

// The virtual scanner installed as the manager's "sane.ds" with its script
// beside it while this lives; whatever was there before is put back.
class InstalledScanner {
public:
    InstalledScanner() {
        CreateFolderTree(SourceFolder());
        std::string scanner;
        ReadFileBytes(PIMLO_INSTALL_DIR L"\\sane.ds", scanner);
        WriteFileBytes(source_.Path(), scanner);
    }
    void Script(const std::string& lines) const {
        WriteFileBytes(script_.Path(), "[Scanner]\r\n" + lines);
    }

private:
    // A file of the source folder, put back as it was at the end (the one
    // of a real scanner, or none), once the program has let go of it.
    class Placed {
    public:
        explicit Placed(const wchar_t* name) : path_(JoinPath(SourceFolder(), name)) {
            existed_ = ReadFileBytes(path_, bytes_);
        }
        ~Placed() {
            for (int tries = 0; tries < 50; ++tries) {
                if (existed_ ? WriteFileBytesChecked() : DeleteFileW(path_.c_str()) != 0) return;
                Sleep(100);
            }
        }
        const std::wstring& Path() const { return path_; }

    private:
        std::wstring path_;
        std::string bytes_;
        bool existed_ = false;

        bool WriteFileBytesChecked() const {
            WriteFileBytes(path_, bytes_);
            return ReadFileBytes(path_) == bytes_;
        }
    };
    Placed source_{L"sane.ds"};
    Placed script_{L"VirtualScanner.ini"};
};

class ScanEndToEnd : public testing::Test {
protected:
    ScanEndToEnd() {
        for (const auto& [key, value] :
             {std::pair<const wchar_t*, std::wstring>{L"SavePath", save_.Path()},
              {L"UseHighQuality", L"1"},
              {L"RemindMergeBatch", L"0"},
              {L"CompressedSizeLimit", L"0"}}) {
            WritePrivateProfileStringW(L"General", key, value.c_str(),
                                       ProgramSettingsFile().c_str());
        }
    }

    // Clicks "扫描仪识别" and confirms the first source the choice lists; its name.
    static std::wstring ScanWithFirstSource(ProgramSession& program) {
        if (!program.Click(L"ScannerPage")) return L"";
        DialogDriver choice(L"PimloOCRDialogClass", GetProcessId(program.Process()));
        if (!choice.WaitForWindow()) return L"";
        const std::wstring name = choice.Text(L"DSMItem0");
        choice.Click(L"btnYes");
        return name;
    }

    std::wstring TextFile(const wchar_t* name) const {
        const std::string bytes =
            ReadFileBytes(JoinPath(save_.File(Text(TextKeys::OutFolderName)), name));
        return bytes.size() < 2 ? std::wstring()
                                : std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2),
                                               (bytes.size() - 2) / 2);
    }

    StandIns standIns_ = ReadStandIns();
    ScopedServiceHosts hosts_{PIMLO_INSTALL_DIR, standIns_.Hosts()};
    ScopedStartState startState_;
    ScopedLanguageFile language_{PIMLO_LANGUAGE_DIR L"\\cn.dat"};
    TempFolder save_;
    InstalledScanner scanner_;
};

TEST_F(ScanEndToEnd, ThreePagesAreRecognisedInTheirOrder) {
    scanner_.Script("Pages=3\r\nRefuseCount=1\r\n");
    const int before = standIns_.CountRequests("ocr", kGeneralText);
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_EQ(ScanWithFirstSource(program), L"Pimlo Virtual Scanner");

    // The pages come first, then the run: its end shows the result list.
    ASSERT_TRUE(
        ProgramSession::WaitFor([&] { return program.Visible(L"listFiles"); }, kRunTimeoutMs));
    EXPECT_EQ(standIns_.CountRequests("ocr", kGeneralText), before + 3);
    for (const auto& [file, page] : {std::pair{L"pic.jpg.txt", L"page 1"},
                                     {L"pic1.jpg.txt", L"page 2"},
                                     {L"pic2.jpg.txt", L"page 3"}}) {
        EXPECT_NE(TextFile(file).find(page), std::wstring::npos) << TextFile(file);
    }
}

TEST_F(ScanEndToEnd, ClosingTheScannerWithoutPagesAndAFailedScanLeaveTheProgramReady) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    const int before = standIns_.CountRequests("ocr", kGeneralText);
    for (const char* script : {"Cancel=1\r\n", "FailImageInfo=1\r\n", "FailPage=1\r\n"}) {
        scanner_.Script(script);
        ASSERT_FALSE(ScanWithFirstSource(program).empty()) << script;
        // The copying hint goes with the scanner's window; nothing is queued.
        EXPECT_TRUE(ProgramSession::WaitFor([] {
            return !FindWindowW(L"PimloOCRCopyDialogClass", nullptr);
        })) << script;
        EXPECT_TRUE(program.Visible(L"Pic-OCR")) << script;
    }
    EXPECT_EQ(standIns_.CountRequests("ocr", kGeneralText), before);

    // The source was closed each time: the next scan opens it again.
    scanner_.Script("Pages=1\r\n");
    ASSERT_FALSE(ScanWithFirstSource(program).empty());
    ASSERT_TRUE(
        ProgramSession::WaitFor([&] { return program.Visible(L"ocrText"); }, kRunTimeoutMs));
    EXPECT_NE(program.Text(L"ocrText").find(L"page 1"), std::wstring::npos)
        << program.Text(L"ocrText");
}

}  // namespace
