#include "platform/uilib/drive/DriveClient.h"

#include "platform/uilib/drive/DriveProtocol.h"

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;
constexpr wchar_t kReplyClass[] = L"PimloUIDriveReply";

// Where the reply window puts the answer while a request is sent.
thread_local std::wstring* t_answer = nullptr;

LRESULT CALLBACK ReplyProcedure(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_COPYDATA && t_answer) {
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == DriveTag() && data->lpData) {
            t_answer->assign(static_cast<const wchar_t*>(data->lpData),
                             data->cbData / sizeof(wchar_t));
            while (!t_answer->empty() && t_answer->back() == L'\0') t_answer->pop_back();
            return TRUE;
        }
    }
    return DefWindowProcW(hwnd, uMsg, wParam, lParam);
}

struct Search {
    const wchar_t* className;
    const wchar_t* title;  // any title when null
    HWND visible = nullptr;
    HWND any = nullptr;
};

// Several dialogs share a class: the visible one (topmost first) wins.
BOOL CALLBACK FindWindowOfClass(HWND hwnd, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    wchar_t name[256] = {}, title[256] = {};
    GetClassNameW(hwnd, name, 256);
    if (lstrcmpW(name, search->className) != 0) return TRUE;
    GetWindowTextW(hwnd, title, 256);
    if (search->title && lstrcmpW(title, search->title) != 0) return TRUE;
    if (!search->any) search->any = hwnd;
    if (!IsWindowVisible(hwnd)) return TRUE;
    search->visible = hwnd;
    return FALSE;
}

HWND ReplyWindow() {
    static const ATOM registered = [] {
        WNDCLASSW replyClass = {};
        replyClass.lpfnWndProc = ReplyProcedure;
        replyClass.hInstance = GetModuleHandleW(nullptr);
        replyClass.lpszClassName = kReplyClass;
        return RegisterClassW(&replyClass);
    }();
    if (!registered) return nullptr;
    return CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

HWND FindDrivenWindow(const wchar_t* className, const wchar_t* title) {
    Search search{className, title};
    EnumWindows(FindWindowOfClass, reinterpret_cast<LPARAM>(&search));
    return search.visible ? search.visible : search.any;
}

std::wstring AskDrivenWindow(HWND window, const wchar_t* command, const std::wstring& argument) {
    HWND reply = ReplyWindow();
    if (!reply) return {};
    std::wstring answer;
    t_answer = &answer;
    std::wstring request = command + std::wstring(L"\n") + argument;
    COPYDATASTRUCT data = {DriveTag(), static_cast<DWORD>((request.size() + 1) * sizeof(wchar_t)),
                           request.data()};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_COPYDATA, reinterpret_cast<WPARAM>(reply),
                        reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                        &result);
    t_answer = nullptr;
    DestroyWindow(reply);
    return answer;
}

std::wstring AnswerValue(const std::wstring& answer, const std::wstring& key) {
    size_t start = 0;
    while (start < answer.size()) {
        const size_t end = answer.find(L'\n', start);
        const std::wstring line =
            answer.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (line.compare(0, key.size() + 1, key + L"=") == 0) return line.substr(key.size() + 1);
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return {};
}
