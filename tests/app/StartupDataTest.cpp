#include <gtest/gtest.h>

#include <string>

#include "app/AppFolders.h"
#include "app/SignedInAccount.h"
#include "app/StartupData.h"
#include "common/StringConversion.h"
#include "ocr/CloudSite.h"
#include "tests/app/AppTestSupport.h"

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
    WriteFileBytes(install_.File(L"oem.ini"),
                   "[Partner]\r\nId=" + std::string(300, '7') +
                       "\r\n[Server]\r\nOcrHost=127.0.0.1:8443\r\nCaFile=C:\\ca.pem\r\n");
    registry_.WriteAccount({L"13800138000", L"13800138000", 1});

    const StartupData data = Load();
    EXPECT_EQ(language_, install_.File(L"language\\cn.dat"));
    EXPECT_EQ(data.credentials.appId, "app-1");
    EXPECT_EQ(data.credentials.apiKey, "api-key");
    EXPECT_EQ(data.credentials.secretKey, "secret");
    EXPECT_EQ(data.account.account, L"13800138000");
    EXPECT_EQ(CurrentAccount().loginType, 1u);
    EXPECT_EQ(data.oem.partnerId, std::wstring(259, L'7'));
    EXPECT_EQ(data.oem.servers.ocrHost, L"127.0.0.1:8443");
    EXPECT_EQ(data.oem.servers.caFile, L"C:\\ca.pem");
    EXPECT_FALSE(data.oem.servers.accountHost.empty());
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
