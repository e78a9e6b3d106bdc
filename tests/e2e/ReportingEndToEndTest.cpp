// Usage reporting through the real program and the stand-in reporting host,
// which decrypts and stores what arrives: the uninstall report, and the
// recognitions of a run booked on its day when the program ends.
#include <gmock/gmock.h>

#include "app/Registry.h"
#include "services/ReportEncoding.h"
#include "tests/e2e/ProgramFixture.h"
#include "tests/e2e/ProgramSession.h"

namespace {

using ReportingEndToEnd = ProgramAgainstStandIns;

TEST_F(ReportingEndToEnd, TheUninstallRunSendsItsReportAndEnds) {
    const Json::ArrayIndex before = standIns_.Reports("event").size();
    EXPECT_EQ(ProgramSession::RunToEnd(L"/uninstall"), 0u);
    EXPECT_EQ(ProgramSession::WindowCount(), 0);

    const Json::Value reports = standIns_.Reports("event");
    ASSERT_EQ(reports.size(), before + 1);
    const Json::Value& report = reports[before];
    EXPECT_EQ(report["TypeId"].asInt(), 2);
    EXPECT_EQ(report["AppId"].asUInt(), 21u);
    EXPECT_EQ(report["AppApiId"].asUInt(), 11u);
    EXPECT_EQ(report["ChannelCode"].asString(), "0");
    EXPECT_EQ(report["MachineCode"].asString(), "0123456789ABCDEF");
    // The system this test runs on, as the program names it ("Windows7" for
    // this Wine prefix).
    EXPECT_EQ(report["Os"].asString(), RunningOsName());
    EXPECT_FALSE(report["Os"].asString().empty());
    // 64 only for the 32-bit program on a 64-bit system.
    EXPECT_EQ(report["OsBit"].asUInt(), sizeof(void*) == 8 ? 32u : 64u);
}

TEST_F(ReportingEndToEnd, ARunsRecognitionsAreBookedOnItsDayWhenTheProgramEnds) {
    WriteProgramSettings({{L"HideWhenClose", L"0"}, {L"RemindWhenClose", L"0"}});
    SYSTEMTIME today = {};
    GetLocalTime(&today);
    const std::wstring day = std::to_wstring(today.wYear) + L"-" + std::to_wstring(today.wMonth) +
                             L"-" + std::to_wstring(today.wDay);
    WritePrivateProfileStringW(L"Count", day.c_str(), L"4", ProgramSettingsFile().c_str());

    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    Recognise(program, Picture(L"line.png", L"a.png") + L"\n" + Picture(L"text.png", L"b.png"));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    ASSERT_TRUE(program.Click(L"btnClose"));
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(GetPrivateProfileIntW(L"Count", day.c_str(), 0, ProgramSettingsFile().c_str()), 6u);
}

TEST_F(ReportingEndToEnd, TheFirstStartOfADaySendsTheInstallAndStartReportsAndTheCounts) {
    // A day not checked yet, an installation not reported yet, a day's count.
    const RegistryLocation user{HKEY_CURRENT_USER, L"Software\\PimloOCR"};
    DeleteRegistryValue(user, L"UpdateDate");
    DeleteRegistryValue(user, L"AdId");
    WriteRegistryText(user, L"SendInstallMessage", L"1");
    WriteRegistryText({HKEY_LOCAL_MACHINE, L"Software\\PimloOCR", KEY_WOW64_32KEY},
                      L"InstallerName", L"PimloOCR_5021.exe");
    WritePrivateProfileStringW(L"Count", L"2026-12-1", L"3", ProgramSettingsFile().c_str());
    const Json::ArrayIndex events = standIns_.Reports("event").size();
    const Json::ArrayIndex usage = standIns_.Reports("usage").size();

    for (int start = 0; start < 2; ++start) {
        ProgramSession program;
        ASSERT_NE(program.Window(), nullptr);
        EXPECT_TRUE(ProgramSession::WaitFor([&] {
            return GetPrivateProfileIntW(L"Count", L"2026-12-1", 0,
                                         ProgramSettingsFile().c_str()) == 0;
        }));
    }
    // The second start of the day sent nothing.
    const Json::Value sent = standIns_.Reports("event");
    ASSERT_EQ(sent.size(), events + 2);
    EXPECT_EQ(sent[events]["TypeId"].asInt(), 1);
    EXPECT_EQ(sent[events]["AdId"].asUInt(), 5021u);
    EXPECT_EQ(sent[events + 1]["TypeId"].asInt(), 3);
    const Json::Value days = standIns_.Reports("usage");
    ASSERT_EQ(days.size(), usage + 1);
    EXPECT_EQ(days[usage]["Date"].asString(), "2026-12-1");
    EXPECT_EQ(days[usage]["Times"].asInt(), 3);
    EXPECT_EQ(days[usage]["Account"].asString(), "Guest");
    EXPECT_FALSE(RegistryValueExists(user, L"SendInstallMessage"));
}

}  // namespace
