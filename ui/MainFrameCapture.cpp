// Screen capture from the main window: the home page's button and the hot
// key start it, and the saved picture comes back as a run of its own.
#include "ui/MainFrame.h"

void CMainFrame::StartScreenCapture() {
    if (RefuseDuringRun()) return;
    // A recognition follows: its one-time work is done while the user drags.
    WarmUpTransport();
    screenCutting_.Start(hwnd_);
}

void CMainFrame::OnCaptureHotKey() {
    if (RunGoing() || screenCutting_.Window()) {
        MessageBeep(MB_OK);
        return;
    }
    ShowWindow(true);
    if (IsIconic(hwnd_)) ::ShowWindow(hwnd_, SW_RESTORE);
    SetForegroundWindow(hwnd_);
    mode_ = OcrMode::Screenshot;
    StartScreenCapture();
}

void CMainFrame::OnScreenCutDone() {
    const std::wstring& picture = screenCutting_.SavedPath();
    // The capture can not end inside a run (its window is hidden the whole
    // time), but should it, the run keeps its pictures.
    if (picture.empty() || RefuseDuringRun()) return;
    mode_ = OcrMode::Screenshot;
    queue_.Clear();
    queue_.Add(picture);
    ShowPageTitles();
    RefreshAddPicturePanel();
    SelectPage(MainPage::AddPictures);
    // As a click on the recognise button: Tab held now makes it a table run.
    StartRun();
}
