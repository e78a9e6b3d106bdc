// The daily check: when it is due, the advertising id from the installer's
// name, and its reports against a loopback server.
#include <gmock/gmock.h>

#include "services/DailyCheck.h"
#include "tests/app/AppTestSupport.h"
#include "tests/services/ServiceTestSupport.h"

namespace {

using DailyCheckTest = ServiceRegistryTest;

SYSTEMTIME Date(WORD year, WORD month, WORD day) {
    SYSTEMTIME date = {};
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    return date;
}

TEST_F(DailyCheckTest, ItIsDueOnEveryNewDateNotJustOnANewDayOfTheMonth) {
    EXPECT_TRUE(DailyCheckDue(registry_, Date(2026, 12, 8)));  // never checked
    registry_.SetUpdateDay(8);
    registry_.SetUpdateDate(L"2026-12-8");
    EXPECT_FALSE(DailyCheckDue(registry_, Date(2026, 12, 8)));
    EXPECT_TRUE(DailyCheckDue(registry_, Date(2026, 12, 9)));
    EXPECT_TRUE(DailyCheckDue(registry_, Date(2027, 1, 8)));  // the same day a month later
    EXPECT_EQ(DateKeyOf(Date(2020, 3, 7)), L"2020-3-7");
}

TEST_F(DailyCheckTest, TheAdvertisingIdComesFromTheInstallersName) {
    const RegistryLocation machine = paths_.machine;
    const struct {
        const wchar_t* installer;
        const wchar_t* adId;
    } cases[] = {
        {L"PimloOCR_5021.exe", L"5021"}, {L"C:\\dl\\PimloOCR-77.exe", L"77"},
        {L"Setup-1_2.exe", L"2"},        {L"PimloOCR_abc.exe", L""},
        {L"PimloOCR_0.exe", L""},        {L"PimloOCR.exe", L""},
        {L"PimloOCR_12_3.exe", L""},     {L"", L""},
    };
    for (const auto& each : cases) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRegistryKey);
        WriteRegistryText(machine, L"InstallerName", each.installer);
        EXPECT_EQ(AdvertisingId(registry_), each.adId) << each.installer;
        EXPECT_EQ(registry_.AdId(), each.adId) << each.installer;
    }
    // A stored id stays, whatever the installer's name says.
    registry_.SetAdId(L"42");
    EXPECT_EQ(AdvertisingId(registry_), L"42");
}

TEST_F(DailyCheckTest, TheInstallReportGoesOnceThenTheStartAndTheCounts) {
    LoopbackHttpServer server;
    ReportClient client = ClientFor(server);
    TempFolder folder;
    const std::wstring settings = folder.File(L"config.ini");
    WriteFileBytes(settings, "[Count]\r\n2026-12-7=2\r\n");
    WriteRegistryText(paths_.user, L"SendInstallMessage", L"1");
    WriteRegistryText(paths_.machine, L"InstallerName", L"PimloOCR_5021.exe");
    for (int answer = 0; answer < 5; ++answer) server.Answer({200, "1", "text/plain"});

    SendDailyReports(client, registry_, settings);
    EXPECT_FALSE(registry_.InstallReportPending());
    EXPECT_EQ(registry_.AdId(), L"5021");
    SendDailyReports(client, registry_, settings);

    std::vector<std::string> paths;
    for (const RecordedRequest& request : server.Requests()) paths.push_back(request.path);
    EXPECT_THAT(paths,
                testing::ElementsAre("/action.ashx", "/action.ashx", "/ocr.ashx", "/action.ashx"));
    EXPECT_EQ(client.LastEventCode(), 3);
}

}  // namespace
