// The update checks through the real program and the stand-in update host:
// what the menu's check says, a signed installer offered and run, the silent
// check's download offered at the next start, and installers that are not
// to be trusted.
#include <gmock/gmock.h>

#include "app/ProductRegistry.h"
#include "app/Registry.h"
#include "common/StringConversion.h"
#include "tests/e2e/MessageDialog.h"
#include "tests/e2e/ProgramFixture.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/support/TrustedTestRoot.h"

namespace {

const RegistryLocation kMachine{HKEY_LOCAL_MACHINE, L"Software\\PimloOCR", KEY_WOW64_32KEY};

// A file of the program's data folder.
std::wstring DataFile(const wchar_t* name) {
    const std::wstring settings = ProgramSettingsFile();
    return JoinPath(settings.substr(0, settings.rfind(L'\\')), name);
}

class UpdateEndToEnd : public ProgramAgainstStandIns {
protected:
    UpdateEndToEnd() {
        WriteProgramSettings({{L"HideWhenClose", L"0"}, {L"RemindWhenClose", L"0"}});
        WriteRegistryText(kMachine, L"Version", L"2.9");
        for (const wchar_t* name :
             {L"PimloOCRSetup.exe", L"PimloOCRSetup.exe.upd", L"PimloOCRSetup.ran", L"cd.dat"})
            DeleteFileW(DataFile(name).c_str());
    }
    ~UpdateEndToEnd() override { standIns_.Reset(); }

    // The manifest the host answers next with.
    void Offer(const std::string& manifest) const {
        standIns_.Script(R"({"host": "update", "path": "/windows/newversion.htm", "body": ")" +
                         manifest + R"("})");
    }
    // The test installer's version offered.
    void OfferTheTestInstaller() const {
        Offer("version=" + WideToUtf8(PIMLO_TEST_INSTALLER_VERSION));
    }
    // The installer the host serves.
    void Serve(const wchar_t* installer) const {
        WriteFileBytes(served_.Path(), ReadFileBytes(installer));
    }
    // Starts the menu's check and waits for its message.
    static void CheckFromTheMenu(const ProgramSession& program, DialogDriver& message) {
        ASSERT_TRUE(program.Click(L"btnMenu"));
        DialogDriver menu(L"PimloUIMenu", GetProcessId(program.Process()));
        ASSERT_TRUE(menu.WaitForWindow());
        ASSERT_TRUE(menu.Click(L"menuUpdate"));
        ASSERT_TRUE(MessageShown(message, 20000));
    }
    static int Pending() {
        return GetPrivateProfileIntW(L"Main", L"HasNewInstaller", 0, ProgramSettingsFile().c_str());
    }

    SavedFile served_{JoinPath(WorkingFolder(), L"data\\update\\PimloOCRSetup.exe")};
    SavedFile installer_{DataFile(L"PimloOCRSetup.exe")};
    SavedFile record_{DataFile(L"PimloOCRSetup.ran")};
    SavedFile companion_{DataFile(L"cd.dat")};
};

TEST_F(UpdateEndToEnd, TheMenusCheckSaysWhatTheHostOffers) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    DialogDriver message(L"PimloOCRDialogClass", GetProcessId(program.Process()));
    const struct {
        const char* manifest;
        const wchar_t* installer;
        MessageKeyConstant said;
    } cases[] = {
        {"Version=9.0.0", PIMLO_SIGNED_INSTALLER, MessageKeys::NoVersion},
        {"version=2.9\\r\\n", PIMLO_SIGNED_INSTALLER, MessageKeys::NotUpdate},
        {"version=2.10", PIMLO_UNSIGNED_INSTALLER, MessageKeys::UpdateFail},
    };
    for (const auto& each : cases) {
        Offer(each.manifest);
        Serve(each.installer);
        CheckFromTheMenu(program, message);
        EXPECT_EQ(message.Text(L"context"), MessageBody(each.said)) << each.manifest;
        ASSERT_TRUE(message.Click(L"btnClose"));
        ASSERT_TRUE(ProgramSession::WaitFor([&] { return !IsWindow(message.Window()); }));
    }
    EXPECT_FALSE(FileExists(DataFile(L"PimloOCRSetup.exe")));  // the unsigned one was refused
    EXPECT_EQ(Pending(), 0);
    EXPECT_TRUE(FileExists(DataFile(L"cd.dat")));
}

TEST_F(UpdateEndToEnd, ANewerSignedInstallerIsOfferedAndRunsOnYes) {
    TrustedTestRoot root(PIMLO_TEST_SIGNING_ROOT);
    ASSERT_TRUE(root.Trusted());
    OfferTheTestInstaller();
    Serve(PIMLO_SIGNED_INSTALLER);
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    DialogDriver question(L"PimloOCRDialogClass", GetProcessId(program.Process()));
    CheckFromTheMenu(program, question);
    EXPECT_EQ(question.Text(L"context"), MessageBody(MessageKeys::HasUpdate));
    EXPECT_EQ(Pending(), 1);
    EXPECT_EQ(standIns_.Reports("event")[standIns_.Reports("event").size() - 1]["TypeId"].asInt(),
              4);
    ASSERT_TRUE(question.Click(L"btnYes"));

    // The installer ran, with no arguments, and installed its version.
    ASSERT_TRUE(
        ProgramSession::WaitFor([] { return FileExists(DataFile(L"PimloOCRSetup.ran")); }, 15000));
    EXPECT_TRUE(ProgramSession::WaitFor(
        [] { return ProductRegistry().InstalledVersion() == PIMLO_TEST_INSTALLER_VERSION; }));
    ASSERT_TRUE(program.Click(L"btnClose"));
    ASSERT_TRUE(program.WaitForExit(10000));

    // Its version installed, the next start lets the installer go and opens.
    ProgramSession next;
    ASSERT_NE(next.Window(), nullptr);
    EXPECT_TRUE(ProgramSession::WaitFor(
        [] { return !FileExists(DataFile(L"PimloOCRSetup.exe")) && Pending() == 0; }));
}

TEST_F(UpdateEndToEnd, TheSilentChecksDownloadIsOfferedAtTheNextStartUnlessTampered) {
    TrustedTestRoot root(PIMLO_TEST_SIGNING_ROOT);
    DeleteRegistryValue({HKEY_CURRENT_USER, L"Software\\PimloOCR"}, L"UpdateDate");
    OfferTheTestInstaller();
    Serve(PIMLO_SIGNED_INSTALLER);
    standIns_.Script(R"({"host": "update", "path": "/windows/cd.cab", "delayMs": 4000})");
    {
        // While the silent check runs, the menu's check only says so.
        ProgramSession program;
        ASSERT_NE(program.Window(), nullptr);
        DialogDriver message(L"PimloOCRDialogClass", GetProcessId(program.Process()));
        CheckFromTheMenu(program, message);
        EXPECT_EQ(message.Text(L"context"), MessageBody(MessageKeys::Updating));
        ASSERT_TRUE(message.Click(L"btnClose"));
        ASSERT_TRUE(ProgramSession::WaitFor([] { return Pending() == 1; }, 20000));
    }
    {
        // The next start offers it and ends whatever the answer.
        ProgramSession program;
        DialogDriver question(L"PimloOCRDialogClass", GetProcessId(program.Process()));
        ASSERT_TRUE(MessageShown(question));
        EXPECT_EQ(question.Text(L"context"), MessageBody(MessageKeys::HasUpdate));
        ASSERT_TRUE(question.Click(L"btnClose"));
        EXPECT_TRUE(program.WaitForExit(10000));
        EXPECT_FALSE(FileExists(DataFile(L"PimloOCRSetup.ran")));
    }

    // Changed while it waited: not offered, deleted, and the program opens.
    std::string tampered = ReadFileBytes(DataFile(L"PimloOCRSetup.exe"));
    tampered[tampered.size() / 3] ^= 0x5A;
    WriteFileBytes(DataFile(L"PimloOCRSetup.exe"), tampered);
    ASSERT_TRUE(ReadFileBytes(DataFile(L"PimloOCRSetup.exe")) == tampered) << tampered.size();
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_TRUE(ProgramSession::WaitFor(
        [] { return !FileExists(DataFile(L"PimloOCRSetup.exe")) && Pending() == 0; }));
    EXPECT_TRUE(ProgramSession::WaitFor([&] { return IsWindowVisible(program.Window()); }));
}

}  // namespace
