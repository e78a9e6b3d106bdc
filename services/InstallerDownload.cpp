#include "services/InstallerDownload.h"

#include <wininet.h>

#include <cwchar>
#include <memory>

#include "common/Win32Handles.h"

namespace {

constexpr DWORD kPieceBytes = 8192;
// A host that stops sending for this long ends the download.
constexpr DWORD kReceiveTimeoutMs = 30000;

struct InternetHandleCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetHandleCloser>;

struct UrlParts {
    std::wstring host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    std::wstring path;  // with the query, if any
};

bool SplitUrl(const std::wstring& url, UrlParts& parts) {
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    wchar_t path[INTERNET_MAX_PATH_LENGTH + 1] = {};
    wchar_t query[INTERNET_MAX_PATH_LENGTH + 1] = {};
    URL_COMPONENTSW components = {};
    components.dwStructSize = sizeof(components);
    components.lpszHostName = host;
    components.dwHostNameLength = ARRAYSIZE(host);
    components.lpszUrlPath = path;
    components.dwUrlPathLength = ARRAYSIZE(path);
    components.lpszExtraInfo = query;
    components.dwExtraInfoLength = ARRAYSIZE(query);
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &components) || !*host) return false;
    parts.host = host;
    parts.port = components.nPort ? components.nPort : INTERNET_DEFAULT_HTTP_PORT;
    parts.path = std::wstring(*path ? path : L"/") + query;
    return true;
}

// The decimal Content-Length of the answer, or -1 when it has none.
long long ContentLength(HINTERNET request) {
    wchar_t text[32] = {};
    DWORD size = sizeof(text);
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return -1;
    wchar_t* end = nullptr;
    const long long length = std::wcstoll(text, &end, 10);
    return end != text && *end == 0 && length >= 0 ? length : -1;
}

DWORD StatusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof(status);
    HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                   nullptr);
    return status;
}

// Copies exactly length bytes of the body into file; false on a failed read
// or write, or when the body ends (a read of nothing) before length.
bool CopyBody(HINTERNET request, HANDLE file, long long length) {
    char piece[kPieceBytes];
    long long written = 0;
    while (written < length) {
        const DWORD wanted =
            static_cast<DWORD>(length - written < kPieceBytes ? length - written : kPieceBytes);
        DWORD read = 0;
        if (!InternetReadFile(request, piece, wanted, &read) || read == 0) return false;
        DWORD stored = 0;
        if (!WriteFile(file, piece, read, &stored, nullptr) || stored != read) return false;
        written += read;
    }
    return true;
}

bool DownloadTo(const UrlParts& url, const std::wstring& temporary) {
    InternetHandle internet(
        InternetOpenW(L"MyDownLoad", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet) return false;
    DWORD timeout = kReceiveTimeoutMs;
    InternetSetOptionW(internet.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
    InternetHandle connection(InternetConnectW(internet.get(), url.host.c_str(), url.port, nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return false;
    const DWORD flags = INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_RELOAD |
                        INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    InternetHandle request(HttpOpenRequestW(connection.get(), L"GET", url.path.c_str(), nullptr,
                                            nullptr, nullptr, flags, 0));
    if (!request || !HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) return false;
    if (StatusCode(request.get()) != HTTP_STATUS_OK) return false;
    const long long length = ContentLength(request.get());
    if (length < 0) return false;
    // Default security and no inheritance: nothing else may change the
    // installer between here and its start.
    KernelHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!Valid(file)) return false;
    return CopyBody(request.get(), file.get(), length);
}

}  // namespace

HRESULT DownloadFile(const std::wstring& url, const std::wstring& target) {
    UrlParts parts;
    if (!SplitUrl(url, parts)) return E_FAIL;
    const std::wstring temporary = target + L".upd";
    if (!DownloadTo(parts, temporary)) return E_FAIL;
    return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? S_OK
                                                                                     : E_FAIL;
}
