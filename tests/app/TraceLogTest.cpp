#include <gtest/gtest.h>

#include <string>

#include "app/SystemErrorText.h"
#include "app/TraceLog.h"
#include "common/StringConversion.h"
#include "tests/app/AppTestSupport.h"
#include "tests/net/TraceRecorder.h"

namespace {

SYSTEMTIME Time(WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME time = {};
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

// Points the trace log at a file while it lives.
class ScopedTraceLog {
public:
    explicit ScopedTraceLog(const std::wstring& path) : previous_(TraceLogFile()) {
        SetTraceLogFile(path);
    }
    ~ScopedTraceLog() { SetTraceLogFile(previous_); }

private:
    std::wstring previous_;
};

}  // namespace

TEST(TraceLog, LinesCarryTimeMessageAndLineEnd) {
    EXPECT_EQ(BuildTraceLine(Time(3, 7, 9, 5, 2), L"识别 done"),
              "[3/7 9:5:2]-" + WideToAnsi(L"识别 done") + "\r\n");
}

TEST(TraceLog, LongMessagesAreCutToFitTheLineBuffer) {
    for (const std::wstring& message : {std::wstring(511, L'a'), std::wstring(511, L'字'),
                                        std::wstring(300, L'b') + std::wstring(200, L'字')}) {
        const std::string line = BuildTraceLine(Time(12, 31, 23, 59, 59), message);
        EXPECT_LE(line.size(), 527u);  // 528 bytes with the terminating zero
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        // Cut after a whole character: the text converts back to a start of the message.
        const std::wstring kept = AnsiToWide(line.substr(17, line.size() - 19));
        EXPECT_EQ(message.substr(0, kept.size()), kept);
        EXPECT_GE(line.size(), 526u);
    }
}

TEST(TraceLog, AppendsLinesAndDropsThemWhenTheFileIsBusy) {
    TempFolder folder;
    ScopedTraceLog log(folder.File(L"run.log"));
    LogTrace(L"first %d", 1);
    {
        // Another writer holds the file: this line is lost, nothing else happens.
        HANDLE busy = CreateFileW(folder.File(L"run.log").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        LogTrace(L"lost");
        CloseHandle(busy);
    }
    LogTrace(L"second %ls", L"行");
    const std::string text = ReadFileBytes(folder.File(L"run.log"));
    EXPECT_NE(text.find("]-first 1\r\n["), std::string::npos) << text;
    EXPECT_NE(text.find("]-second " + WideToAnsi(L"行") + "\r\n"), std::string::npos);
    EXPECT_EQ(text.find("lost"), std::string::npos);
}

TEST(SystemErrorText, DescribesCodesAndTheLastError) {
    EXPECT_FALSE(SystemErrorText(ERROR_FILE_NOT_FOUND).empty());
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(SystemErrorText(), SystemErrorText(ERROR_ACCESS_DENIED));
    TraceRecorder traces;
    TraceSystemError(ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(traces.Lines().size(), 1u);
    EXPECT_EQ(traces.Lines()[0], SystemErrorText(ERROR_FILE_NOT_FOUND));
}
