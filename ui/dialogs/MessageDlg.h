#pragma once

#include <windows.h>

#include <string>

#include "ui/dialogs/DialogWindow.h"

// What one message dialog shows.
struct MessageDialogContent {
    std::wstring text;
    std::wstring caption;
    // MessageBox-style bits: MB_ICONINFORMATION, MB_ICONERROR, MB_ICONQUESTION, MB_YESNO.
    UINT flags = 0;
    // The text is label markup rather than plain text.
    bool markup = false;
    // Texts replacing those of btnYes and btnClose, and showing btnLeft; empty leaves them.
    std::wstring yesText;
    std::wstring closeText;
    std::wstring leftText;
};

// The answers of the message dialog.
inline constexpr int kMessageClosed = IDNO;  // btnClose, the cross, Escape
inline constexpr int kMessageYes = IDYES;    // btnYes
inline constexpr int kMessageLeft = 12;      // btnLeft

// The general message dialog ("dlg_message.xml"): caption, one logo chosen by
// the flags, the text, and "确定" alone or with "取消" for a yes/no question.
class CMessageDlg : public CDialogWindow {
public:
    // result receives the answer; it reads kMessageClosed until a button is pressed.
    CMessageDlg(MessageDialogContent content, int& result);

private:
    MessageDialogContent content_;
    int& result_;

    void OnWindowInit() override;
    void OnClick(const std::wstring& name) override;
    void ShowLogo();
    void ArrangeButtons();
};

// Shows the message dialog modally over owner (may be null) on the calling
// thread; the answer, or 0 when the dialog could not be created.
int ShowMessageDialog(HWND owner, const MessageDialogContent& content);
