// Stands in for the local recognition engine in tests. It writes its command
// line (UTF-8) to "args.txt" beside itself, waits ENGINE_DELAY_MS, and puts
// the text of "answer.txt" beside itself (UTF-8), converted to the ANSI code
// page, on the clipboard in the engine's private format; with
// ENGINE_ZERO_BLOCK the block it leaves starts with a zero byte instead.
#include <windows.h>

#include <string>

#include "common/FileSystem.h"
#include "common/StringConversion.h"

namespace {

std::wstring BesideMe(const wchar_t* name) {
    std::wstring self = ModuleFilePath();
    return JoinPath(self.substr(0, self.find_last_of(L'\\')), name);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Block() {
#ifdef ENGINE_ZERO_BLOCK
    return std::string("\0text", 5);
#else
    std::string answer;
    ReadFileBytes(BesideMe(L"answer.txt"), answer);
    return WideToAnsi(Utf8ToWide(answer)) + '\0';
#endif
}

// The clipboard needs an owner window for SetClipboardData to be kept.
bool PutOnClipboard(const std::string& block) {
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.size());
    if (!owner || !memory) return false;
    memcpy(GlobalLock(memory), block.data(), block.size());
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const bool placed = SetClipboardData(RegisterClipboardFormatW(L"ZIDAV_FMT"), memory) != nullptr;
    CloseClipboard();
    return placed;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    WriteBytes(BesideMe(L"args.txt"), WideToUtf8(GetCommandLineW()));
    Sleep(ENGINE_DELAY_MS);
    return PutOnClipboard(Block()) ? 0 : 1;
}
