#include <gtest/gtest.h>

#include <string>

#include "app/AppFolders.h"
#include "app/SignedInAccount.h"
#include "app/StartupData.h"
#include "common/StringConversion.h"
#include "ocr/CloudSite.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ServiceHosts.h"

namespace {

class StartupDataTest : public testing::Test {
protected:
    StartupDataTest() { folders_.installFolder = install_.Path(); }
    ~StartupDataTest() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PimloOCRTest\\Startup");
        SetCurrentAccount({});
    }

    StartupData Load() {
        const std::wstring previousLanguage = CurrentLanguageFilePath();
        StartupData data = LoadStartupData(folders_, registry_);
        language_ = CurrentLanguageFilePath();
        SetLanguageFilePath(previousLanguage);
        return data;
    }

    TempFolder install_;
    AppFolders folders_;
    ProductRegistry registry_{{{HKEY_CURRENT_USER, L"Software\\PimloOCRTest\\Startup"}}};
    std::wstring language_;
};

}  // namespace

TEST_F(StartupDataTest, ReadsCredentialsAccountPartnerAndHosts) {
    CreateFolderTree(install_.File(L"language"));
    WriteLanguageFileOf(install_.File(L"language\\cn.dat"),
                        {{L"AAI", L"app-1"}, {L"AAK", L"api-key"}, {L"ASK", L"secret"}}, {});
    WriteFileBytes(install_.File(L"oem.ini"), "[Partner]\r\nId=" + std::string(300, '7') + "\r\n");
    // The hosts as tests write them for every program they start: the
    // program must read each one from the key the helper writes.
    ASSERT_TRUE(WriteServiceHosts(
        install_.Path(),
        {L"localhost:8443", L"127.0.0.1:8001", L"127.0.0.2:8002", L"[::1]:8003", L"C:\\ca.pem"}));
    registry_.WriteAccount({L"13800138000", L"13800138000", 1});

    const StartupData data = Load();
    EXPECT_EQ(language_, install_.File(L"language\\cn.dat"));
    EXPECT_EQ(data.credentials.appId, "app-1");
    EXPECT_EQ(data.credentials.apiKey, "api-key");
    EXPECT_EQ(data.credentials.secretKey, "secret");
    EXPECT_EQ(data.account.account, L"13800138000");
    EXPECT_EQ(CurrentAccount().loginType, 1u);
    EXPECT_EQ(data.oem.partnerId, std::wstring(259, L'7'));
    EXPECT_EQ(data.oem.servers.ocrHost, L"localhost:8443");
    EXPECT_EQ(data.oem.servers.updateHost, L"127.0.0.1:8001");
    EXPECT_EQ(data.oem.servers.reportHost, L"127.0.0.2:8002");
    EXPECT_EQ(data.oem.servers.accountHost, L"[::1]:8003");
    EXPECT_EQ(data.oem.servers.caFile, L"C:\\ca.pem");
}

TEST_F(StartupDataTest, MissingFilesGiveEmptyCredentialsAndDefaults) {
    const StartupData data = Load();
    EXPECT_EQ(data.credentials.appId, "");
    EXPECT_EQ(data.credentials.secretKey, "");
    EXPECT_EQ(data.oem.partnerId, L"0");
    EXPECT_EQ(data.oem.servers.ocrHost, Utf8ToWide(kDefaultOcrHost));
    EXPECT_EQ(data.oem.servers.caFile, L"");
    EXPECT_EQ(data.account.account, L"");
}

TEST(ServiceHosts, OnlyHostsOfThisMachineAreWritten) {
    const struct {
        const wchar_t* host;
        bool loopback;
    } rows[] = {
        {L"127.0.0.1:9", true},
        {L"127.255.0.3", true},
        {L"LocalHost:80", true},
        {L"[::1]:443", true},
        {L"", false},
        {L"128.0.0.1:80", false},
        {L"127.0.0.1.example:80", false},
        {L"localhost.example", false},
        {L"127.0.0.256", false},
        {L"[::2]:80", false},
        {L"aip.example.com", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsLoopbackHost(row.host), row.loopback) << row.host;

    TempFolder install;
    ServiceHosts hosts = ClosedServiceHosts();
    ASSERT_TRUE(WriteServiceHosts(install.Path(), hosts));
    hosts.report = L"report.example.com";
    EXPECT_FALSE(WriteServiceHosts(install.Path(), hosts));
    EXPECT_EQ(ReadServiceHosts(install.Path()).report, kClosedLoopbackHost);
    EXPECT_TRUE(ServiceHostsOnLoopback(install.Path()));
    // A key left out lets the program fall back to its compiled-in host.
    WritePrivateProfileStringW(L"Server", L"AccountHost", nullptr,
                               JoinPath(install.Path(), L"oem.ini").c_str());
    EXPECT_FALSE(ServiceHostsOnLoopback(install.Path()));
}

TEST(AppFolders, AreFoundAndTheDataFolderIsMade) {
    TempFolder appData;
    EXPECT_EQ(EnsureDataFolder(appData.Path()), appData.File(L"PimloOCR"));
    EXPECT_TRUE(FolderExists(appData.File(L"PimloOCR")));
    EXPECT_EQ(EnsureDataFolder(L""), L"");

    const AppFolders folders = LocateAppFolders();
    EXPECT_EQ(folders.installFolder, InstallFolderOf(ModuleFilePath()));
    EXPECT_TRUE(FolderExists(folders.dataFolder));
    EXPECT_EQ(folders.tempFolder.back(), L'\\');
    EXPECT_EQ(ScannerFolder(L"C:\\Temp"), L"C:\\Temp\\pimloOCR\\Scanner\\");
}
