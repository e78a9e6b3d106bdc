#include "ui/dialogs/DiffDlg.h"

#include <algorithm>
#include <utility>

#include "app/AppFolders.h"
#include "app/FolderCleanup.h"
#include "app/ShowMessage.h"
#include "app/TraceLog.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "net/FormEncoding.h"
#include "ui/dialogs/ThinScrollBar.h"

namespace {

constexpr float kZoomStep = 0.1f;
constexpr float kMinZoom = 0.1f;
constexpr float kMaxZoom = 5.0f;

}  // namespace

CDiffDlg::CDiffDlg(std::wstring picture, std::wstring& text)
    : CDialogWindow(L"dlg_diff.xml"), picture_(std::move(picture)), text_(text), opened_(text) {}

CDiffDlg::~CDiffDlg() { EmptyFolder(IdCardsFolder(SystemTempFolder()), {}, true); }

DWORD CDiffDlg::WindowStyle() const {
    return CDialogWindow::WindowStyle() | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;
}

void CDiffDlg::Init() {
    CDialogWindow::Init();
    view_ = Find<CWkeWebkitUI>(L"wke");
    // Without the engine the window is already asked to close.
    engine_ = LoadWebEngine(hwnd_, GetWindow(hwnd_, GW_OWNER));
}

void CDiffDlg::OnWindowInit() {
    if (!engine_) return;
    if (auto* text = Find<CRichEditUI>(L"ocrText")) {
        StyleThinScrollBar(text->GetVerticalScrollBar(), L"../default/button/scroll1.png");
        text->SetText(text_.c_str());
    }
    // Posted: the modal loop shows the window normally before it runs.
    ::PostMessageW(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    // The view exists once the layout is laid out.
    if (!view_) return;
    if (engine_->SetMemoryCacheEnable && view_->GetWebView())
        engine_->SetMemoryCacheEnable(view_->GetWebView(), false);
    const std::wstring address = PicturePageAddress(InstallFolderOf(ModuleFilePath()), picture_);
    LogTrace(L"%s", address.c_str());
    view_->Navigate(address.c_str());
}

void CDiffDlg::OnClick(const std::wstring& name) {
    if (name == L"btnClose") return CloseDialog();
    if (name == L"btnMax")
        return static_cast<void>(::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0));
    if (name == L"btnRestore")
        return static_cast<void>(::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0));
    // "缩小" makes the picture smaller, "放大" larger.
    if (name == L"ZoomIn") return Zoom(-kZoomStep);
    if (name == L"ZoomOut") return Zoom(kZoomStep);
    if (name == L"Rotate") {
        if (view_) view_->ExecuteJS(L"butt()");
        return;
    }
    if (name == L"Undo" && EditedText() != opened_ &&
        ShowMessage(MessageKeys::UndoOCRText, hwnd_, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        if (auto* text = Find<CRichEditUI>(L"ocrText")) text->SetText(opened_.c_str());
    }
}

LRESULT CDiffDlg::OnClose(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    // However the view closes (its button, Escape, Alt+F4, the task bar), the
    // edit is kept; a view that never showed its text has none.
    if (engine_) text_ = EditedText();
    return CDialogWindow::OnClose(message, wParam, lParam, handled);
}

LRESULT CDiffDlg::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    const bool wasMaximised = IsZoomed(hwnd_) != FALSE;
    const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);
    handled = TRUE;
    if ((IsZoomed(hwnd_) != FALSE) != wasMaximised) {
        if (auto* maximise = Find(L"btnMax")) maximise->SetVisible(wasMaximised);
        if (auto* restore = Find(L"btnRestore")) restore->SetVisible(!wasMaximised);
    }
    return result;
}

void CDiffDlg::Zoom(float step) {
    zoom_ = ClampZoom(zoom_ + step);
    if (engine_ && engine_->SetZoomFactor && view_ && view_->GetWebView())
        engine_->SetZoomFactor(view_->GetWebView(), zoom_);
}

std::wstring CDiffDlg::EditedText() {
    auto* text = Find<CRichEditUI>(L"ocrText");
    return text ? text->GetText() : text_;
}

std::wstring CompareWithPicture(HWND owner, const std::wstring& picture, const std::wstring& text) {
    std::wstring result = text;
    (new CDiffDlg(picture, result))->OpenModal(owner);
    return result;
}

std::wstring PicturePageAddress(const std::wstring& programFolder, const std::wstring& picture) {
    std::wstring page = JoinPath(programFolder, L"image.html");
    std::replace(page.begin(), page.end(), L'\\', L'/');
    return L"file:///" + page + L"?img=" + Utf8ToWide(FormEscape(WideToUtf8(picture)));
}

float ClampZoom(float factor) { return std::clamp(factor, kMinZoom, kMaxZoom); }
