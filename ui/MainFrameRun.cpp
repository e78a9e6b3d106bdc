// The batch run: from a click on the recognise button through the worker's
// results to the result pages, or to the message of the first failure.
#include "app/AppSettings.h"
#include "app/LanguageText.h"
#include "app/ShowMessage.h"
#include "common/DebugTrace.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "ui/MainFrame.h"
#include "ui/OutputFolder.h"
#include "ui/ResultText.h"
#include "ui/dialogs/MessageMerge.h"

namespace {

constexpr UINT_PTR kAnimationTimer = 10;
constexpr UINT kAnimationPeriodMs = 50;
// The scan animation: frames of 191 × 158 side by side in one strip.
constexpr int kAnimationFrames = 44;
constexpr int kAnimationFrameWidth = 191;
constexpr wchar_t kTableOverlay[] = L"file='images/xls.png' dest='380,16,404,40'";

bool IsTableMode(OcrMode mode) {
    return mode == OcrMode::TableFromScreenshot || mode == OcrMode::TableFromPictures;
}

}  // namespace

void CMainFrame::StartRun() {
    if (GetKeyState(VK_TAB) < 0) {
        if (mode_ == OcrMode::PictureText) mode_ = OcrMode::TableFromPictures;
        if (mode_ == OcrMode::Screenshot) mode_ = OcrMode::TableFromScreenshot;
    }
    if (auto* button = Find<CButtonUI>(L"buttonOCR"))
        button->SetForeImage(IsTableMode(mode_) ? kTableOverlay : L"");
    if (mode_ == OcrMode::IdCard && !QueueIdCardSides()) return;
    if (queue_.Empty()) return;

    merge_ = false;
    if (queue_.Size() > 1 && mode_ != OcrMode::IdCard && !IsTableMode(mode_) &&
        CurrentSettings().Get(Setting::RemindMergeBatch) != 0) {
        merge_ = AskMergeBatch(hwnd_);
        mergeText_.clear();
    }
    if (!PrepareOutputFolder()) return;

    SetVisible(L"xlstip", false);
    SetEnabled(L"buttonOCR", false);
    SetVisible(L"cancleFiles", false);
    ShowProgress(0, mode_ == OcrMode::IdCard ? 1 : queue_.Size(), queue_.FileName(0));
    DebugTrace(L"OnButtonOCR %d\n", static_cast<int>(mode_));
    StartAnimation();
    if (!worker_.Start(queue_.Paths(), KindOf(mode_))) OnRunRefused();
}

void CMainFrame::OnRunRefused() {
    // No result will come to end this run: the window goes back to idle at
    // once, with the queue as it was, so the user can start again.
    StopAnimation();
    SetEnabled(L"buttonOCR", true);
    SetVisible(L"cancleFiles", true);
    RefreshAddPicturePanel();
    MessageBeep(MB_OK);
}

bool CMainFrame::QueueIdCardSides() {
    if (idCardFront_.empty() || !FileExists(Utf8ToWide(idCardFront_))) {
        ShowMessage(MessageKeys::NoIdcardFront, hwnd_, MB_ICONINFORMATION);
        return false;
    }
    queue_.Clear();
    queue_.Add(Utf8ToWide(idCardFront_));
    if (!idCardBack_.empty()) queue_.Add(Utf8ToWide(idCardBack_));
    RefreshAddPicturePanel();
    return true;
}

bool CMainFrame::PrepareOutputFolder() {
    const bool table = IsTableMode(mode_);
    if (!table && (queue_.Size() < 2 || merge_)) return true;
    std::wstring baseName = Text(TextKeys::OutFolderName);
    if (baseName.empty()) baseName = L"pimloOCR";
    outputFolder_ = CreateOutputFolder(CurrentSettings().SavePath(), baseName);
    if (table) worker_.Recognition().spreadsheetFolder = outputFolder_;
    // Without the folder every text or spreadsheet of the run would be
    // recognised and then lost; the user picks another save folder instead.
    if (outputFolder_.empty()) {
        ShowMessage(MessageKeys::SavePathNotExist, hwnd_, MB_ICONINFORMATION);
        return false;
    }
    return true;
}

void CMainFrame::ShowProgress(size_t next, size_t count, const std::wstring& fileName) {
    if (mode_ == OcrMode::Screenshot) {
        SetText(L"addFileText", Text(TextKeys::AddScreenCut));
        return;
    }
    const TextKey& progress = IsTableMode(mode_) ? TextKeys::OCRScanXls : TextKeys::OCRScan;
    SetText(L"addFileText", FormattedText(progress, {static_cast<int>(next + 1),
                                                     static_cast<int>(count), fileName}));
}

void CMainFrame::StartAnimation() {
    SetVisible(L"scanAni", true);
    if (animating_) return;
    animationFrame_ = 0;
    animating_ = ::SetTimer(hwnd_, kAnimationTimer, kAnimationPeriodMs, nullptr) != 0;
}

void CMainFrame::StopAnimation() {
    SetVisible(L"scanAni", false);
    KillTimer(hwnd_, kAnimationTimer);
    animating_ = false;
}

LRESULT CMainFrame::OnTimer(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    if (wParam != kAnimationTimer) return WindowImplBase::OnTimer(uMsg, wParam, lParam, bHandled);
    OnAnimationTick();
    return 0;
}

void CMainFrame::OnAnimationTick() {
    animationFrame_ = (animationFrame_ + 1) % kAnimationFrames;
    const int left = animationFrame_ * kAnimationFrameWidth;
    const std::wstring image = L"file = '../default/gif/scan.png' source = '" +
                               std::to_wstring(left) + L",0," +
                               std::to_wstring(left + kAnimationFrameWidth) + L",158'";
    if (CControlUI* animation = paintManager_.FindControl(L"scanAni"))
        animation->SetBkImage(image.c_str());
}

void CMainFrame::OnPictureDone(const RecognitionResult* result, const PictureDone& done) {
    if (!result) return OnRunFailed();
    // The worker says which picture this is (the same file may be queued
    // twice) and how many its run has, so the run ends at its last result.
    const size_t count = done.count;
    const size_t number = done.index + 1;
    if (number < count) ShowProgress(number, count, queue_.FileName(number));
    if (number == count) OnRunEnded(*result, done.path, count);
    if (count < 2 || mode_ == OcrMode::IdCard) return;
    KeepResult(*result, done.path, number);
    if (number == count && merge_) {
        ShowResultText(mergeText_);
        currentText_ = mergeText_;
        mergeText_.clear();
        SelectPage(MainPage::TextResult);
    }
}

void CMainFrame::OnRunEnded(const RecognitionResult& last, const std::string& path, size_t count) {
    StopAnimation();
    SetEnabled(L"buttonOCR", true);
    SetVisible(L"cancleFiles", true);
    if (IsTableMode(mode_)) {
        // The list shows which pictures the spreadsheets came from.
        ShowBatchResult();
        if (count == 1) {
            outputFolder_ = Utf8ToWide(last.spreadsheetPath);
            queue_.SetResult(path, outputFolder_);
            ShellExecuteW(hwnd_, L"open", outputFolder_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        }
    } else if (count == 1 || mode_ == OcrMode::IdCard) {
        ShowResultText(TakeDisplayText(last));
        SelectPage(MainPage::TextResult);
    } else if (!merge_) {
        ShowBatchResult();
    }
    RefreshAddPicturePanel();
}

void CMainFrame::ShowBatchResult() {
    SelectPage(MainPage::BatchResult);
    SetText(L"resultNote",
            Text(IsTableMode(mode_) ? TextKeys::BatchSavedSheets : TextKeys::BatchSavedTexts));
    FillResultList();
}

void CMainFrame::KeepResult(const RecognitionResult& result, const std::string& path,
                            size_t number) {
    if (IsTableMode(mode_)) {
        queue_.SetResult(path, Utf8ToWide(result.spreadsheetPath));
        return;
    }
    const std::wstring text = TakeDisplayText(result);
    if (merge_) {
        mergeText_ += text + L"\r\n";
        return;
    }
    std::wstring name = FileNameOf(Utf8ToWide(path));
    name = name.empty() ? std::to_wstring(number) : name + L".txt";
    if (outputFolder_.empty() || !FolderExists(outputFolder_)) return;
    const std::wstring file = JoinPath(outputFolder_, name);
    if (SaveTextFile(file, text)) queue_.SetResult(path, file);
}

void CMainFrame::OnRunFailed() {
    StopAnimation();
    SetEnabled(L"buttonOCR", true);
    SetEnabled(L"Back", true);
    SetVisible(L"cancleFiles", true);
    queue_.Clear();
    RefreshAddPicturePanel();
    if (auto* list = Find<CListUI>(L"listFiles")) list->RemoveAll();
    if (mode_ == OcrMode::IdCard) {
        ResetIdCards();
        SetVisible(L"buttonAddPic", false);
        SetVisible(L"buttonOCR", true);
    }
    MessageKey key = worker_.Recognition().errorKey;
    worker_.Recognition().errorKey = MessageKey();
    if (IsTableMode(mode_)) key = MessageKeys::OCRNotResult;
    if (!key.Empty()) ShowMessage(key, hwnd_, MB_ICONINFORMATION);
    if (mode_ == OcrMode::TableFromScreenshot) SelectPage(MainPage::Home);
    if (mode_ == OcrMode::TableFromPictures) mode_ = OcrMode::PictureText;
}
