#include "ui/WebAddress.h"

#include <shellapi.h>

#include "common/FileSystem.h"

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

bool IsAddressOnHost(const std::wstring& address, const std::wstring& host) {
    const size_t scheme = address.find(L"://");
    if (scheme == std::wstring::npos || host.empty()) return false;
    const size_t start = scheme + 3;
    const size_t end = address.find_first_of(L"/?#", start);
    const std::wstring authority = address.substr(start, end - start);
    // Credentials before "@" are no part of the host.
    const std::wstring onHost = authority.substr(authority.find(L'@') + 1);
    return onHost.size() == host.size() && EndsWithIgnoringCase(onHost, host);
}
