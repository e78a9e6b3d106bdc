// Scanning from the main window: the home page's "扫描仪识别" lets the user
// choose a TWAIN source and scan; the pages come back as a run of their own.
#include "app/ShowMessage.h"
#include "ui/MainFrame.h"
#include "ui/dialogs/CopyingHintDlg.h"
#include "ui/dialogs/SelectDSMDlg.h"

void CMainFrame::StartScan() {
    if (!HasManager()) {
        ShowMessage(MessageKeys::ScannerIsInvalid, hwnd_, MB_ICONINFORMATION);
        return;
    }
    mode_ = OcrMode::Scanner;
    BeginScan();
    if (UsesNewManager()) {
        // The manager's own choice; cancelling it ends the scan quietly.
        if (SelectSource()) Acquire(1);
        return;
    }
    std::vector<TW_IDENTITY> sources;
    if (!EnumerateSources(sources)) {
        ShowMessage(MessageKeys::NotFoundDSM, hwnd_, MB_ICONINFORMATION);
        return;
    }
    const std::optional<TW_IDENTITY> chosen = ChooseScanSource(hwnd_, sources);
    if (!chosen || !OpenSource(&*chosen) || !SourceSelected()) return;
    ShowCopyingHint(hwnd_);
    if (!Acquire(-1)) CloseCopyingHint();
}

void CMainFrame::ScanningFinished() {
    CloseCopyingHint();
    const std::vector<std::wstring>& pages = ScannedPictures();
    if (pages.empty()) return;
    queue_.Clear();
    for (const std::wstring& page : pages) queue_.Add(page);
    ShowPageTitles();
    RefreshAddPicturePanel();
    SelectPage(MainPage::AddPictures);
    StartRun();
}

void CMainFrame::OnThreadMessage(const MSG& message) {
    if (SourceSelected()) ProcessMessage(message);
}
