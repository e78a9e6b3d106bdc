#include <gtest/gtest.h>

#include <string>

#include "app/AppSettings.h"
#include "common/StringConversion.h"
#include "tests/app/AppTestSupport.h"

namespace {

class AppSettingsTest : public testing::Test {
protected:
    std::wstring ConfigFile() const { return folder_.File(L"config.ini"); }
    std::wstring Desktop() const { return folder_.File(L"desktop"); }

    void WriteConfig(const std::string& text) { WriteFileBytes(ConfigFile(), text); }

    std::wstring StoredText(const wchar_t* section, const wchar_t* key) const {
        wchar_t value[64] = {};
        GetPrivateProfileStringW(section, key, L"<none>", value, 64, ConfigFile().c_str());
        return value;
    }

    TempFolder folder_;
    AppSettings settings_;
};

}  // namespace

TEST_F(AppSettingsTest, WithoutAFileEverySettingHasItsDefaultAndNothingIsWritten) {
    settings_.Load(ConfigFile(), Desktop());
    EXPECT_EQ(settings_.Get(Setting::CanUpdate), 1);
    EXPECT_EQ(settings_.Get(Setting::HideWhenClose), 1);
    EXPECT_EQ(settings_.Get(Setting::RemindWhenClose), 1);
    EXPECT_EQ(settings_.Get(Setting::RemindWhenCopy), 1);
    EXPECT_EQ(settings_.Get(Setting::CompressedSizeLimit), 0);
    EXPECT_EQ(settings_.Get(Setting::HotKey), VK_F4 << 16);
    EXPECT_EQ(settings_.Get(Setting::MaxImageSize), 4096);
    EXPECT_EQ(settings_.Get(Setting::UseHighQuality), 1);
    EXPECT_EQ(settings_.Get(Setting::RemindMergeBatch), 1);
    EXPECT_EQ(settings_.SavePath(), Desktop());
    EXPECT_FALSE(PathExists(ConfigFile()));
    EXPECT_TRUE(FolderExists(Desktop()));  // the save folder is made when missing
}

TEST_F(AppSettingsTest, ValuesEditedByHandAreTakenAsTheyStand) {
    WriteConfig(
        "[General]\r\nHotKey=0\r\nMaxImageSize=3000\r\nHideWhenClose=0\r\n"
        "CanUpdate=12abc\r\nRemindWhenCopy=junk\r\nSavePath=" +
        std::string(300, 'p') + "\r\n");
    settings_.Load(ConfigFile(), Desktop());
    EXPECT_EQ(settings_.Get(Setting::HotKey), 0);  // no hot key, not the default
    EXPECT_EQ(settings_.Get(Setting::MaxImageSize), 3000);
    EXPECT_EQ(settings_.Get(Setting::HideWhenClose), 0);
    EXPECT_EQ(settings_.Get(Setting::CanUpdate), 12);
    EXPECT_EQ(settings_.Get(Setting::RemindWhenCopy), 0);
    EXPECT_EQ(settings_.SavePath(), std::wstring(259, L'p'));
}

TEST_F(AppSettingsTest, SaveFolderIsCreatedWithItsParents) {
    const std::wstring nested = folder_.File(L"out\\a\\b");
    WriteFileBytes(ConfigFile(), "[General]\r\nSavePath=" + WideToAnsi(nested) + "\r\n");
    settings_.Load(ConfigFile(), Desktop());
    EXPECT_EQ(settings_.SavePath(), nested);
    EXPECT_TRUE(FolderExists(nested));
    EXPECT_FALSE(FolderExists(Desktop()));
}

TEST_F(AppSettingsTest, ChangesAreWrittenThroughAsDecimalText) {
    settings_.Load(ConfigFile(), Desktop());
    settings_.Set(Setting::HotKey, (VK_F2 << 16) | MOD_CONTROL);
    settings_.Set(Setting::MaxImageSize, -5);
    settings_.SetSavePath(L"D:\\识别 结果\\");
    settings_.WriteInteger(L"Count", L"2024-1-9", 17);
    EXPECT_EQ(StoredText(L"General", L"HotKey"), std::to_wstring((VK_F2 << 16) | MOD_CONTROL));
    EXPECT_EQ(StoredText(L"General", L"MaxImageSize"), L"-5");
    EXPECT_EQ(StoredText(L"General", L"SavePath"), L"D:\\识别 结果\\");
    EXPECT_EQ(settings_.ReadInteger(L"Count", L"2024-1-9", 0), 17);
    EXPECT_EQ(settings_.ReadInteger(L"Main", L"HasNewInstaller", 0), 0);

    AppSettings reloaded;
    reloaded.Load(ConfigFile(), Desktop());
    EXPECT_EQ(reloaded.Get(Setting::HotKey), (VK_F2 << 16) | MOD_CONTROL);
    EXPECT_EQ(reloaded.SavePath(), L"D:\\识别 结果\\");
}

TEST_F(AppSettingsTest, AWriteThatFailsIsIgnored) {
    WriteConfig("[General]\r\nHotKey=5\r\n");
    settings_.Load(ConfigFile(), Desktop());
    // Another program holds the file without sharing it.
    HANDLE locked =
        CreateFileW(ConfigFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    settings_.Set(Setting::HotKey, 9);
    CloseHandle(locked);
    EXPECT_EQ(settings_.Get(Setting::HotKey), 9);
    EXPECT_EQ(ReadFileBytes(ConfigFile()), "[General]\r\nHotKey=5\r\n");

    AppSettings nowhere;
    nowhere.Load(folder_.File(L"missing\\config.ini"), Desktop());
    nowhere.Set(Setting::CanUpdate, 0);
    EXPECT_EQ(nowhere.Get(Setting::CanUpdate), 0);
    EXPECT_FALSE(PathExists(folder_.File(L"missing")));
}
