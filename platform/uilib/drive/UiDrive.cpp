// uidrive.exe WINDOWCLASS query|text|click NAME
// Asks a window of the UI library about one of its controls, or clicks it,
// for end-to-end tests. Prints the answer's key=value lines (query, click)
// or the control's text alone (text), in UTF-8. Exit code: 0 done, 1 no such
// control, 2 no such window or bad arguments, 3 the click was refused
// (hidden, disabled or covered).

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "common/StringConversion.h"
#include "platform/uilib/drive/DriveProtocol.h"

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

std::wstring answer;

LRESULT CALLBACK ReplyProcedure(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_COPYDATA) {
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == DriveTag() && data->lpData) {
            answer.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
            while (!answer.empty() && answer.back() == L'\0') {
                answer.pop_back();
            }
            return TRUE;
        }
    }
    return DefWindowProcW(hwnd, uMsg, wParam, lParam);
}

struct Search {
    const wchar_t* className;
    HWND visible = nullptr;
    HWND any = nullptr;
};

// Several dialogs share a class: the visible one (topmost first) wins.
BOOL CALLBACK FindWindowOfClass(HWND hwnd, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    if (lstrcmpW(name, search->className) != 0) {
        return TRUE;
    }
    if (!search->any) {
        search->any = hwnd;
    }
    if (IsWindowVisible(hwnd)) {
        search->visible = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The value of one "key=value" line of the answer, or empty.
std::wstring Value(const std::wstring& lines, const std::wstring& key) {
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find(L'\n', start);
        std::wstring line = lines.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (line.compare(0, key.size() + 1, key + L"=") == 0) {
            return line.substr(key.size() + 1);
        }
        if (end == std::wstring::npos) {
            break;
        }
        start = end + 1;
    }
    return L"";
}

void Print(const std::wstring& text) {
    std::string bytes = WideToUtf8(text);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        fputs("usage: uidrive WINDOWCLASS query|text|click NAME\n", stderr);
        return 2;
    }
    std::wstring command = argv[2];
    if (command != L"query" && command != L"text" && command != L"click") {
        fputs("uidrive: the command is query, text or click\n", stderr);
        return 2;
    }
    // Lines end in "\n" alone, whatever reads them.
    _setmode(_fileno(stdout), _O_BINARY);
    Search search{argv[1]};
    EnumWindows(FindWindowOfClass, reinterpret_cast<LPARAM>(&search));
    HWND target = search.visible ? search.visible : search.any;
    if (!target) {
        fputs("uidrive: no window of that class\n", stderr);
        return 2;
    }
    WNDCLASSW replyClass = {};
    replyClass.lpfnWndProc = ReplyProcedure;
    replyClass.hInstance = GetModuleHandleW(nullptr);
    replyClass.lpszClassName = L"PimloUIDriveReply";
    RegisterClassW(&replyClass);
    HWND reply = CreateWindowExW(0, replyClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, replyClass.hInstance, nullptr);
    std::wstring request = (command == L"click" ? kDriveClick : kDriveQuery) + std::wstring(L"\n") + argv[3];
    COPYDATASTRUCT data = {DriveTag(), static_cast<DWORD>((request.size() + 1) * sizeof(wchar_t)),
                           request.data()};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(reply),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &result) ||
        answer.empty()) {
        fputs("uidrive: the window did not answer\n", stderr);
        return 2;
    }
    if (Value(answer, L"found") != L"1") {
        fputs("uidrive: no control of that name\n", stderr);
        return 1;
    }
    if (command == L"text") {
        Print(Value(answer, L"text") + L"\n");
        return 0;
    }
    Print(answer);
    return command == L"click" && Value(answer, L"clicked") != L"1" ? 3 : 0;
}
