// The update check's parts: the manifest and version rules, the download
// against a loopback server, and the checks' steps with a real signed
// installer.
#include <gmock/gmock.h>

#include <optional>

#include "app/ProfileFile.h"
#include "common/FileSystem.h"
#include "services/InstallerDownload.h"
#include "services/InstallerUpdate.h"
#include "services/VersionManifest.h"
#include "tests/app/AppTestSupport.h"
#include "tests/services/ServiceTestSupport.h"

namespace {

TEST(VersionManifestTest, TheOfferedVersionFollowsVersionIsAtTheStart) {
    const struct {
        const wchar_t* answer;
        std::optional<std::wstring> offered;
    } cases[] = {
        {L"version=1.2.0", L"1.2.0"},
        {L"version=1.2.0\r\n", L"1.2.0"},  // the line end is not part of the version
        {L"\nver\tsion=2.\n1", L"2.1"},    // line feeds and tabs go anywhere
        {L"version=1 beta", L"1 beta"},
        {L"Version=1.2.0", std::nullopt},
        {L" version=1.2.0", std::nullopt},
        {L"version=", std::nullopt},
        {L"version=\r\n", std::nullopt},
        {L"", std::nullopt},
        {L"<html>404</html>", std::nullopt},
        {L"MZ\x90\x03", std::nullopt},
    };
    for (const auto& each : cases)
        EXPECT_EQ(OfferedVersion(each.answer), each.offered) << each.answer;
    EXPECT_EQ(OfferedVersion(L"version=" + std::wstring(65, L'9')), std::nullopt);
}

TEST(VersionManifestTest, DottedNumbersCompareAsNumbersOtherTextByCharacters) {
    const struct {
        const wchar_t* offered;
        const wchar_t* installed;
        bool newer;
    } cases[] = {
        {L"2.10", L"2.9", true},     {L"2.9", L"2.10", false},    {L"1.2.0\r", L"1.2.0", false},
        {L"1.2.0", L"1.2.0", false}, {L"1.2", L"1.2.0", false},   {L"1.2.0.1", L"1.2", true},
        {L"01.3", L"1.2", true},     {L"10.0", L"9.99.99", true}, {L"2.0", L"", true},
        {L"1.10a", L"1.9a", false},  // not only digits: by characters
        {L"1.0 beta", L"1.0", true}, {L"b", L"a", true},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(IsNewerVersion(each.offered, each.installed), each.newer)
            << each.offered << " against " << each.installed;
    }
}

class DownloadFileTest : public testing::Test {
protected:
    LoopbackHttpServer server_;
    TempFolder folder_;
    const std::wstring target_ = folder_.File(L"PimloOCRSetup.exe");
    const std::wstring partial_ = target_ + L".upd";

    HRESULT Download() {
        return DownloadFile(L"http://" + HostOf(server_) + L"/windows/PimloOCRSetup.exe", target_);
    }
};

// The server listens on a port of its own, never 80: every download here
// also proves the URL's port is used.
TEST_F(DownloadFileTest, OnlyAWholeAnswerReplacesTheTarget) {
    const std::string body(20000, 'x');
    ScriptedResponse whole{200, body, "application/octet-stream"};
    ScriptedResponse unmeasured = whole;
    unmeasured.noLength = true;
    ScriptedResponse cut = whole;
    cut.closeEarly = true;
    const struct {
        const char* name;
        ScriptedResponse response;
        bool partialLeft;
    } failures[] = {
        {"not found", {404, "gone", "text/plain"}, false},
        {"server error", {500, body, "text/plain"}, false},
        {"no length", unmeasured, false},
        {"closed early", cut, true},
    };
    for (const auto& each : failures) {
        WriteFileBytes(target_, "earlier");
        DeleteFileW(partial_.c_str());
        server_.Answer(each.response);
        EXPECT_EQ(Download(), E_FAIL) << each.name;
        EXPECT_EQ(ReadFileBytes(target_), "earlier") << each.name;
        EXPECT_EQ(FileExists(partial_), each.partialLeft) << each.name;
    }
    EXPECT_EQ(ReadFileBytes(partial_).size(), body.size() / 2);

    server_.Answer(whole);
    EXPECT_EQ(Download(), S_OK);
    EXPECT_TRUE(ReadFileBytes(target_) == body);
    EXPECT_FALSE(FileExists(partial_));
    EXPECT_EQ(server_.Requests().back().path, "/windows/PimloOCRSetup.exe");
    EXPECT_EQ(DownloadFile(L"not a url", target_), E_FAIL);
}

// The checks against a loopback update host that also takes the reports.
class UpdateCheckTest : public ServiceRegistryTest {
protected:
    LoopbackHttpServer server_;
    ReportClient reports_ = ClientFor(server_);
    TempFolder folder_;
    UpdatePlace place_{HostOf(server_), folder_.Path(), folder_.File(L"config.ini")};

    UpdateCheckTest() { WriteRegistryText(paths_.machine, L"Version", L"2.9"); }

    // The answers of one check in the order it asks: the interactive check
    // reads the manifest first, the silent one the companion file.
    void Serve(const std::string& manifest, const std::string& installer = {},
               bool companionFirst = false) {
        const ScriptedResponse answers[] = {{200, manifest, "text/html"},
                                            {200, "companion", "application/octet-stream"}};
        server_.Answer(answers[companionFirst ? 1 : 0]);
        server_.Answer(answers[companionFirst ? 0 : 1]);
        if (installer.empty()) return;
        server_.Answer({200, installer, "application/octet-stream"});
        server_.Answer({200, "1", "text/plain"});  // the download report, when it goes
    }
    UpdateOutcome Check() {
        return CheckForUpdate(place_, registry_, reports_, [this] { ++downloadsStarted_; });
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const RecordedRequest& request : server_.Requests()) paths.push_back(request.path);
        return paths;
    }
    int Pending() const {
        return ReadProfileInteger(place_.settingsFile, L"Main", L"HasNewInstaller", 0);
    }

    int downloadsStarted_ = 0;
};

TEST_F(UpdateCheckTest, TheInteractiveCheckSaysWhatItFound) {
    server_.Answer({500, "", "text/plain"});
    EXPECT_EQ(Check(), UpdateOutcome::NoVersion);
    Serve("version=2.9\r\n");
    EXPECT_EQ(Check(), UpdateOutcome::NotUpdate);
    EXPECT_EQ(downloadsStarted_, 0);
    EXPECT_EQ(ReadFileBytes(folder_.File(L"cd.dat")), "companion");

    // Newer, but not signed: refused, deleted, nothing pending.
    Serve("version=2.10", ReadFileBytes(PIMLO_UNSIGNED_INSTALLER));
    EXPECT_EQ(Check(), UpdateOutcome::UpdateFail);
    EXPECT_EQ(downloadsStarted_, 1);
    EXPECT_FALSE(FileExists(InstallerPath(place_)));
    EXPECT_EQ(Pending(), 0);
    EXPECT_THAT(Paths(), testing::ElementsAre("/windows/newversion.htm", "/windows/cd.cab",
                                              "/windows/newversion.htm", "/windows/cd.cab",
                                              "/windows/newversion.htm", "/windows/cd.cab",
                                              "/windows/PimloOCRSetup.exe"));
}

// A signature is only accepted in a process that trusted the test authority
// before its first check (Wine reads the roots once): the download that is
// accepted is tested end to end. Here the installer waiting is made by hand.
TEST_F(UpdateCheckTest, AWaitingInstallerStaysUntilItsVersionIsInstalled) {
    WriteFileBytes(InstallerPath(place_), "installer");
    WriteProfileInteger(place_.settingsFile, L"Main", L"HasNewInstaller", 1);
    WriteProfileText(place_.settingsFile, L"Main", L"NewInstallerVersion", L"2.10");

    // Nothing is downloaded while it waits.
    Serve("version=2.11", {}, true);
    SilentUpdate(place_, registry_, reports_, true);
    EXPECT_THAT(Paths(), testing::ElementsAre("/windows/cd.cab", "/windows/newversion.htm"));
    EXPECT_TRUE(HasPendingInstaller(place_));

    // Once the installer has run, its file and flag go without a look at it.
    WriteRegistryText(paths_.machine, L"Version", L"2.10");
    EXPECT_FALSE(SettlePendingInstaller(place_, registry_));
    EXPECT_FALSE(FileExists(InstallerPath(place_)));
    EXPECT_EQ(Pending(), 0);
}

TEST_F(UpdateCheckTest, AWaitingInstallerWithoutAValidSignatureIsForgotten) {
    std::string tampered = ReadFileBytes(PIMLO_SIGNED_INSTALLER);
    tampered[tampered.size() / 3] ^= 0x5A;
    WriteFileBytes(InstallerPath(place_), tampered);
    WriteProfileInteger(place_.settingsFile, L"Main", L"HasNewInstaller", 1);
    EXPECT_FALSE(SettlePendingInstaller(place_, registry_));
    EXPECT_FALSE(FileExists(InstallerPath(place_)));
    EXPECT_EQ(Pending(), 0);
}

TEST_F(UpdateCheckTest, TheSilentCheckDownloadsOnlyWhenAllowed) {
    Serve("version=3.0", {}, true);
    SilentUpdate(place_, registry_, reports_, false);
    EXPECT_THAT(Paths(), testing::ElementsAre("/windows/cd.cab", "/windows/newversion.htm"));
    EXPECT_FALSE(FileExists(InstallerPath(place_)));
}

}  // namespace
