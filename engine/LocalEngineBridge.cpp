#include "engine/LocalEngineBridge.h"

#include <windows.h>

#include <vector>

#include "app/SystemErrorText.h"
#include "common/DebugTrace.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "common/Win32Handles.h"
#include "engine/EngineClipboard.h"
#include "engine/EngineInputPicture.h"
#include "engine/EngineProcesses.h"

namespace {

// The engine's name in the process list, in lower case.
constexpr wchar_t kEngineProcessName[] = L"zozid32.dll";
// How long the engine has to put its text on the clipboard.
constexpr DWORD kEngineWaitMs = 5000;

// Keeps the system from showing its own error boxes (missing disk, crash of
// the engine) while the engine is started; the previous mode comes back after.
class QuietErrorMode {
public:
    QuietErrorMode() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX)) {}
    ~QuietErrorMode() { SetErrorMode(previous_); }

private:
    UINT previous_;
};

}  // namespace

LocalEngineBridge::LocalEngineBridge(const std::wstring& installFolder,
                                     const std::wstring& dataFolder)
    : enginePath_(JoinPath(installFolder, L"recognition\\ZOZID32.dll")),
      inputPath_(JoinPath(dataFolder, L"tmp.bmp")) {}

LocalEngineBridge::~LocalEngineBridge() { EndEngines(); }

bool LocalEngineBridge::EngineAvailable() const { return FileExists(enginePath_); }

bool LocalEngineBridge::Recognise(const std::wstring& picturePath, std::wstring& text) {
    text.clear();
    if (!WriteEngineInputPicture(picturePath, inputPath_)) return false;
    EndEngines();
    userClipboard_ = ClipboardSnapshot::Take();
    if (!RunEngine()) return false;

    std::string block = TakeEngineClipboardText(userClipboard_);
    if (block.empty()) return false;
    text = AnsiToWide(block.c_str());
    return true;
}

void LocalEngineBridge::EndEngines() {
    EndProcessesNamed(kEngineProcessName);
    // An engine still running after the wait may have answered since.
    TakeEngineClipboardText(userClipboard_);
}

bool LocalEngineBridge::RunEngine() const {
    const std::wstring line = L"\"" + enginePath_ + L"\" \"" + inputPath_ + L"\"";
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    BOOL ok;
    {
        QuietErrorMode quiet;
        ok = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &started);
    }
    if (!ok) {
        TraceSystemError();
        return false;
    }
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    WaitForSingleObject(process.get(), kEngineWaitMs);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    DebugTrace(L"Exit code %d", static_cast<int>(exitCode));
    return true;
}
