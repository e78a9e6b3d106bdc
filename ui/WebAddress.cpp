#include "ui/WebAddress.h"

#include <shellapi.h>

namespace {

// ShellExecute reports failure as a value of 32 or below.
constexpr INT_PTR kShellExecuteFailed = 32;

}  // namespace

void OpenWebAddress(const std::wstring& address, HWND owner) {
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED));
    if (opened > kShellExecuteFailed) return;
    // Quoted, so that an address with spaces stays one argument.
    const std::wstring parameter = L"\"" + address + L"\"";
    ShellExecuteW(owner, nullptr, L"iexplore.exe", parameter.c_str(), nullptr, SW_SHOWMAXIMIZED);
}
