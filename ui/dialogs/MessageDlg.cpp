#include "ui/dialogs/MessageDlg.h"

CMessageDlg::CMessageDlg(MessageDialogContent content, int& result)
    : CDialogWindow(L"dlg_message.xml"), content_(std::move(content)), result_(result) {
    result_ = kMessageClosed;
}

void CMessageDlg::OnWindowInit() {
    if (auto* caption = Find(L"caption")) caption->SetText(content_.caption.c_str());
    if (auto* context = Find<CLabelUI>(L"context")) {
        context->SetShowHtml(content_.markup);
        context->SetText(content_.text.c_str());
    }
    ShowLogo();
    ArrangeButtons();
}

// The icon bits are tested one at a time, information first: MB_ICONERROR
// (0x10) alone and any set with it (MB_ICONWARNING is 0x30) show the error
// logo, MB_ICONQUESTION (0x20) the warning logo, no icon the information logo.
void CMessageDlg::ShowLogo() {
    constexpr UINT kInformationBit = 0x40;
    constexpr UINT kErrorBit = 0x10;
    constexpr UINT kWarningBit = 0x20;
    const UINT flags = content_.flags;
    const wchar_t* shown = L"infoLogo";
    if (!(flags & kInformationBit)) {
        if (flags & kErrorBit)
            shown = L"errorLogo";
        else if (flags & kWarningBit)
            shown = L"warnLogo";
    }
    for (const wchar_t* logo : {L"infoLogo", L"errorLogo", L"warnLogo"}) {
        if (auto* control = Find(logo)) control->SetVisible(std::wstring(logo) == shown);
    }
}

// The layout's first btnClose is the bottom button; the title-bar cross comes after it.
void CMessageDlg::ArrangeButtons() {
    auto* yes = Find<CButtonUI>(L"btnYes");
    auto* close = Find<CButtonUI>(L"btnClose");
    if (!yes || !close) return;
    if (!(content_.flags & MB_YESNO)) {
        // A plain message keeps one button, labelled and drawn as the
        // confirming one: a dialog's only button is its primary one.
        yes->SetVisible(false);
        close->SetText(yes->GetText().c_str());
        close->TakeLookOf(*yes);
    }
    if (!content_.yesText.empty()) yes->SetText(content_.yesText.c_str());
    if (!content_.closeText.empty()) close->SetText(content_.closeText.c_str());
    if (!content_.leftText.empty()) {
        if (auto* left = Find(L"btnLeft")) {
            left->SetText(content_.leftText.c_str());
            left->SetVisible(true);
        }
    }
}

void CMessageDlg::OnClick(const std::wstring& name) {
    if (name == L"btnYes")
        result_ = kMessageYes;
    else if (name == L"btnLeft")
        result_ = kMessageLeft;
    else if (name == L"btnClose")
        result_ = kMessageClosed;
    else
        return;
    CloseDialog();
}

int ShowMessageDialog(HWND owner, const MessageDialogContent& content) {
    int result = 0;
    auto* dialog = new CMessageDlg(content, result);
    if (!dialog->OpenModal(owner)) return 0;
    return result;
}
