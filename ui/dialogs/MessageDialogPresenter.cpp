#include "ui/dialogs/MessageDialogPresenter.h"

#include "app/MessagePresenter.h"
#include "ui/dialogs/MessageDlg.h"

namespace {

constexpr wchar_t kCourierClass[] = L"PimloOCRMessageCourier";
// lParam: the MessageRequest to show; the result is the dialog's answer.
constexpr UINT kShowRequest = WM_APP + 1;

LRESULT CALLBACK CourierProcedure(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg != kShowRequest) return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    const auto& request = *reinterpret_cast<const MessageRequest*>(lParam);
    MessageDialogContent content;
    content.text = request.body;
    content.caption = request.caption;
    content.flags = request.flags;
    return ShowMessageDialog(request.owner, content);
}

// A message-only window of the UI thread. The UI library keeps its windows'
// state unguarded, so every dialog is made on this one thread: other threads
// send their requests here and wait for the answer.
HWND CreateCourier() {
    WNDCLASSW courierClass = {};
    courierClass.lpfnWndProc = CourierProcedure;
    courierClass.hInstance = GetModuleHandleW(nullptr);
    courierClass.lpszClassName = kCourierClass;
    if (!RegisterClassW(&courierClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    return CreateWindowExW(0, kCourierClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

void InstallMessageDialogPresenter() {
    static const HWND courier = CreateCourier();
    SetMessagePresenter([](const MessageRequest& request) {
        // A courier that is gone (the UI thread has ended) shows nothing: 0.
        return static_cast<int>(
            SendMessageW(courier, kShowRequest, 0, reinterpret_cast<LPARAM>(&request)));
    });
}
