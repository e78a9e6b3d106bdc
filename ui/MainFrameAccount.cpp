// The signed-in account in the title bar.
#include "app/ProductRegistry.h"
#include "app/SignedInAccount.h"
#include "common/Win32Handles.h"
#include "ui/MainFrame.h"
#include "ui/NicknameWidth.h"

namespace {

// The nickname's font in the layouts.
constexpr int kNicknameFont = 5;
constexpr int kSignedOutWidth = 80;

// The width of text in font on window's device context, or -1 when it can not be measured.
int MeasuredWidth(HWND window, HFONT font, const std::wstring& text) {
    WindowDc dc(window);
    if (!dc) return -1;
    SelectedObject selected(dc.get(), font);
    SIZE size = {};
    if (!GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size))
        return -1;
    return size.cx;
}

// The login kinds' icons in "frame_btn_login.png": mobile, QQ, WeChat.
const wchar_t* LoginIconSource(DWORD loginType) {
    if (loginType == 2) return L"'30,0,45,16'";
    if (loginType == 3) return L"'45,0,60,16'";
    return L"'15,0,30,16'";
}

}  // namespace

void CMainFrame::ShowNickname() {
    const StoredAccount account = CurrentAccount();
    auto* box = paintManager_.FindControl(L"LayoutNickname");
    auto* name = paintManager_.FindControl(L"userNickname");
    if (!box || !name) return;

    const int textWidth =
        MeasuredWidth(hwnd_, paintManager_.GetFont(kNicknameFont), account.nickname);
    box->SetFixedWidth(NicknameBoxWidth(textWidth, paintManager_.GetDPI().GetDPI()));
    name->SetBkImage((std::wstring(L"file='images/frame_btn_login.png' dest='8,13,23,29' source=") +
                      LoginIconSource(account.loginType))
                         .c_str());
    name->SetText((L"{f 5}" + account.nickname + L"{/f}{x 6}{i images/arrow.png}").c_str());
    if (auto* user = Find<CTabLayoutUI>(L"tabUser")) user->SelectItem(1);
}

void CMainFrame::ClearNickname() {
    if (CControlUI* box = paintManager_.FindControl(L"LayoutNickname"))
        box->SetFixedWidth(kSignedOutWidth);
    SetText(L"userNickname", L"");
    if (auto* user = Find<CTabLayoutUI>(L"tabUser")) user->SelectItem(0);
}

void CMainFrame::SignOut() {
    DeleteStoredAccount(ProductRegistry());
    ClearNickname();
}
