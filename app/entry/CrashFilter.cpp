#include "app/entry/CrashFilter.h"

#include <windows.h>
// dbghelp.h needs the types of windows.h.
#include <dbghelp.h>
#include <stdlib.h>

#include <exception>

#include "app/TextFormat.h"
#include "common/DebugTrace.h"
#include "common/FileSystem.h"
#include "common/Win32Handles.h"

namespace {

// Raised for an uncaught C++ exception, so that it ends like a fault: this
// toolchain's runtime would otherwise abort without a word.
constexpr DWORD kUncaughtCppException = 0xE0504D4C;

// Set once before the filter can run, so the filter needs no allocation to find it.
wchar_t g_dumpPath[MAX_PATH + 16] = {};

// dbghelp is loaded only when a dump is written: every start of the program
// would pay for a library that a healthy run never calls.
using WriteDumpFunction = decltype(&MiniDumpWriteDump);

void WriteDump(EXCEPTION_POINTERS* exception) {
    HMODULE dbghelp = LoadLibraryW(L"dbghelp.dll");
    auto writeDump = dbghelp ? reinterpret_cast<WriteDumpFunction>(reinterpret_cast<void*>(
                                   GetProcAddress(dbghelp, "MiniDumpWriteDump")))
                             : nullptr;
    if (!writeDump) return;
    KernelHandle file(CreateFileW(g_dumpPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!Valid(file)) return;
    MINIDUMP_EXCEPTION_INFORMATION information = {};
    information.ThreadId = GetCurrentThreadId();
    information.ExceptionPointers = exception;
    information.ClientPointers = FALSE;
    writeDump(GetCurrentProcess(), GetCurrentProcessId(), file.get(), MiniDumpNormal, &information,
              nullptr, nullptr);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    WriteDump(exception);
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    // The system's own message box: the fault may have come from the UI
    // library, which must not be entered again from here.
    const std::wstring text =
        FormatText(L"程序发生异常崩溃( code:%x address:%x )",
                   {static_cast<unsigned long long>(record.ExceptionCode),
                    reinterpret_cast<unsigned long long>(record.ExceptionAddress)});
    MessageBoxW(nullptr, text.c_str(), L"except", MB_OK | MB_TOPMOST);
    return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void RaiseFatal(DWORD code) {
    RaiseException(code, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    ExitProcess(code);  // not reached: the filter ends the process
}

[[noreturn]] void OnTerminate() { RaiseFatal(kUncaughtCppException); }

void OnInvalidParameter(const wchar_t* expression, const wchar_t*, const wchar_t*, unsigned,
                        uintptr_t) {
    DebugTrace(L"Invalid Parameter Expression:%ls", expression ? expression : L"");
    RaiseFatal(static_cast<DWORD>(STATUS_INVALID_PARAMETER));
}

// A function of the C runtime DLL itself. The toolchain's import library
// lacks the two this file needs, or puts its own stand-in in front of them
// that the runtime never calls, so they are looked up by their exported names.
template <typename Function>
Function RuntimeFunction(const char* name) {
    HMODULE runtime = GetModuleHandleW(L"msvcrt.dll");
    return runtime
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(runtime, name)))
               : nullptr;
}

void HandleInvalidParameters() {
    using SetHandler = _invalid_parameter_handler(__cdecl*)(_invalid_parameter_handler);
    if (auto setHandler = RuntimeFunction<SetHandler>("_set_invalid_parameter_handler"))
        setHandler(OnInvalidParameter);
}

// Sends failed malloc calls to the allocation-failure handler, as failed
// operator new calls go (exported under its C++ name only).
void SendMallocFailuresToNewHandler() {
    using SetNewMode = int(__cdecl*)(int);
    if (auto setNewMode = RuntimeFunction<SetNewMode>("?_set_new_mode@@YAHH@Z")) setNewMode(1);
}

}  // namespace

void InstallCrashFilter(const std::wstring& dataFolder) {
    const std::wstring path = JoinPath(dataFolder, L"Error.tmp");
    if (path.size() < std::size(g_dumpPath)) path.copy(g_dumpPath, path.size());
    SetUnhandledExceptionFilter(OnUnhandledException);
    std::set_terminate(OnTerminate);
    HandleInvalidParameters();
    SendMallocFailuresToNewHandler();
}
