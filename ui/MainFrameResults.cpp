// What the user does with results: the text page, the list of written
// files, copying, opening the output folder and the comparison checks.
#include "app/AppFolders.h"
#include "app/AppSettings.h"
#include "app/LanguageText.h"
#include "app/ShowMessage.h"
#include "app/TraceLog.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "ui/ClipboardText.h"
#include "ui/IdCardPicture.h"
#include "ui/MainFrame.h"
#include "ui/OutputFolder.h"
#include "ui/ResultText.h"
#include "ui/dialogs/DiffDlg.h"
#include "ui/dialogs/MessageCopyDlg.h"

namespace {

constexpr wchar_t kListRowLayout[] = L"file_list_item.xml";

}  // namespace

std::wstring CMainFrame::TakeDisplayText(const RecognitionResult& result) {
    return TakeResultText(result, worker_.Recognition().runKind, currentText_);
}

void CMainFrame::ShowResultText(const std::wstring& text) { SetText(L"ocrText", text); }

void CMainFrame::FillResultList() {
    auto* list = Find<CListUI>(L"listFiles");
    if (!list) return;
    list->RemoveAll();
    for (const std::string& picture : queue_.Paths()) {
        CDialogBuilder builder;
        CControlUI* row = builder.Create(kListRowLayout, nullptr, this, &paintManager_);
        if (!row) return;
        list->Add(row);
        const std::wstring path = Utf8ToWide(picture);
        if (CControlUI* name = paintManager_.FindSubControlByName(row, L"fileName"))
            name->SetText(path.c_str());
        if (CControlUI* size = paintManager_.FindSubControlByName(row, L"fileSize"))
            size->SetText(FileSizeText(path).c_str());
    }
}

void CMainFrame::CopyCurrentText() {
    if (!CopyTextToClipboard(hwnd_, currentText_)) {
        // Otherwise the user would paste what the clipboard held before.
        ShowMessage(MessageKeys::ClipboardBusy, hwnd_, MB_ICONINFORMATION);
        return;
    }
    if (CurrentSettings().Get(Setting::RemindWhenCopy) != 0) ConfirmCopy(hwnd_);
}

void CMainFrame::OpenOutputFolder() {
    if (!outputFolder_.empty()) OpenFolderShowingFirstFile(outputFolder_);
}

void CMainFrame::CompareCurrentText() {
    if (merge_) {
        ShowMessage(MessageKeys::MergeBatchCannotDiff, hwnd_, MB_ICONINFORMATION);
        return;
    }
    if (queue_.Size() == 0) return;
    std::wstring picture = Utf8ToWide(queue_.Paths()[0]);
    if (mode_ == OcrMode::IdCard && queue_.Size() == 2) {
        const std::wstring both = CombineIdCardSides(picture, Utf8ToWide(queue_.Paths()[1]),
                                                     IdCardsFolder(SystemTempFolder()));
        if (!both.empty()) picture = both;
    }
    auto* text = Find<CRichEditUI>(L"ocrText");
    const std::wstring shown = text ? text->GetText() : currentText_;
    const std::wstring edited = CompareWithPicture(hwnd_, picture, shown);
    if (edited.empty() || edited == shown) return;
    ShowResultText(edited);
    currentText_ = edited;
}

void CMainFrame::CompareListRow(CControlUI* button) {
    auto* list = Find<CListUI>(L"listFiles");
    if (!list || !button) return;
    int row = -1;
    for (CControlUI* parent = button; parent && row < 0; parent = parent->GetParent())
        row = list->GetItemIndex(parent);
    if (row < 0 || static_cast<size_t>(row) >= queue_.Size()) return;
    const std::wstring file = queue_.ResultFor(queue_.Paths()[row]);
    if (file.empty()) {
        ShowMessage(MessageKeys::OCRNotResult, hwnd_, MB_ICONINFORMATION);
        return;
    }
    // A table run's rows are spreadsheets: they open with no text and are
    // never written over.
    const bool textFile = EndsWithIgnoringCase(file, L".txt");
    const std::wstring saved = textFile ? ReadTextFile(file) : std::wstring();
    if (saved.empty()) LogTrace(L"[OnListButtonDiff] GetStringFromFile fail.");
    const std::wstring edited = CompareWithPicture(hwnd_, Utf8ToWide(queue_.Paths()[row]), saved);
    if (!textFile || edited.empty() || edited == saved) return;
    // The user must know when the correction was not kept.
    if (!ReplaceTextFile(file, edited))
        ShowMessage(MessageKeys::SaveTextFailed, hwnd_, MB_ICONERROR);
}
