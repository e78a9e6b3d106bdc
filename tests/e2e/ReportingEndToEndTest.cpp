// Usage reporting through the real program and the stand-in reporting host,
// which decrypts and stores what arrives: the uninstall report, and the
// recognitions of a run booked on its day when the program ends.
#include <gmock/gmock.h>

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

}  // namespace
