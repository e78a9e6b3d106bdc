// A copy of the program whose built-in layout archive is damaged ends with
// the fatal message instead of silently.
#include <gmock/gmock.h>

#include <string>

#include "common/FileSystem.h"
#include "common/Win32Handles.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/support/ServiceHosts.h"
#include "tests/support/SystemMessageBox.h"

namespace {

// The install folder's program and UI library in a folder of the test's own,
// with the end record of the program's built-in zip archive (the layout
// archive, the only one it holds) wiped: the archive is there, but no zip
// reader can open it.
class DamagedCopy {
public:
    DamagedCopy() {
        for (const wchar_t* name : {L"PimloOCR.exe", L"PimloUI.dll"}) {
            CopyFileW(JoinPath(PIMLO_INSTALL_DIR, name).c_str(), folder_.File(name).c_str(), FALSE);
        }
        CreateFolderTree(folder_.File(L"language"));
        CopyFileW(JoinPath(PIMLO_INSTALL_DIR, L"language\\cn.dat").c_str(),
                  folder_.File(L"language\\cn.dat").c_str(), FALSE);
        WriteServiceHosts(folder_.Path(), ClosedServiceHosts());
        std::string program;
        ReadFileBytes(Program(), program);
        const size_t endRecord = program.rfind(std::string("PK\x05\x06", 4));
        if (endRecord == std::string::npos) return;
        program.replace(endRecord, 4, 4, '\0');
        WriteFileBytes(Program(), program);
        wiped_ = true;
    }
    std::wstring Program() const { return folder_.File(L"PimloOCR.exe"); }
    bool Wiped() const { return wiped_; }

private:
    TempFolder folder_;
    bool wiped_ = false;
};

TEST(LayoutArchiveEndToEnd, ADamagedArchiveEndsWithTheFatalMessage) {
    ScopedStartState startState;
    DamagedCopy copy;
    ASSERT_TRUE(copy.Wiped());
    std::wstring line = L"\"" + copy.Program() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &started));
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);

    EXPECT_EQ(AnswerSystemMessageBox(process.get(), L"严重错误"),
              L"软件皮肤资源丢失，无法运行，请重新安装！");
    EXPECT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
    if (WaitForSingleObject(process.get(), 0) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
}

}  // namespace
