// The main window's pages: which one shows, what its titles say, and the
// state of the add-picture panel and the identity-card slots.
#include <algorithm>

#include "app/LanguageText.h"
#include "app/ShowMessage.h"
#include "common/DebugTrace.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "ui/MainFrame.h"

namespace {

// The overlay on the recognise button that says the run makes a spreadsheet.
constexpr wchar_t kTableOverlay[] = L"file='images/xls.png' dest='380,16,404,40'";
constexpr size_t kMaxFileIcons = 4;

}  // namespace

MainPage CMainFrame::CurrentPage() {
    auto* tabs = Find<CTabLayoutUI>(L"tabMain");
    return static_cast<MainPage>(tabs ? tabs->GetCurSel() : 0);
}

void CMainFrame::SelectPage(MainPage page) {
    if (page != MainPage::Home) WarmUpTransport();
    if (auto* tabs = Find<CTabLayoutUI>(L"tabMain")) tabs->SelectItem(static_cast<int>(page));
}

void CMainFrame::EnterModePage(OcrMode mode) {
    mode_ = mode;
    ShowPageTitles();
    RefreshAddPicturePanel();
    SelectPage(MainPage::AddPictures);
}

void CMainFrame::ShowPageTitles() {
    auto* panels = Find<CTabLayoutUI>(L"tabAddPic");
    if (mode_ == OcrMode::IdCard) {
        if (panels) panels->SelectItem(1);
        SetVisible(L"buttonAddPic", false);
        SetVisible(L"buttonOCR", true);
        SetVisible(L"Back", true);
        return;
    }
    if (panels) panels->SelectItem(0);
    if (const wchar_t* icon = PageIconOf(mode_)) {
        if (CControlUI* logo = paintManager_.FindControl(L"titleLogo"))
            logo->SetBkImage((std::wstring(L"../default/images/") + icon).c_str());
    }
    if (const TextKey* title = PageTitleOf(mode_)) SetText(L"titleLicense", Text(*title));
    SetVisible(L"buttonAddPic", true);
    SetVisible(L"buttonOCR", false);
}

void CMainFrame::RefreshAddPicturePanel() {
    const bool idCard = mode_ == OcrMode::IdCard;
    // The table hint belongs to pictures of text only.
    SetVisible(L"xlstip", mode_ == OcrMode::PictureText);
    if (queue_.Empty()) {
        SetVisible(L"LayoutAddPic1", true);
        SetVisible(L"LayoutAddPic2", false);
        SetVisible(L"buttonOCR", idCard);
        if (idCard) SetEnabled(L"buttonOCR", true);
        SetVisible(L"buttonAddPic", !idCard);
        return;
    }
    const size_t count = queue_.Size();
    SetVisible(L"LayoutAddPic1", false);
    SetVisible(L"LayoutAddPic2", true);
    if (CControlUI* icon = paintManager_.FindControl(L"addFileIcon")) {
        const std::wstring image = L"../default/images/fileicon" +
                                   std::to_wstring(std::min(count, kMaxFileIcons)) + L".png";
        icon->SetBkImage(image.c_str());
    }
    SetText(L"addFileText", count == 1
                                ? FormattedText(TextKeys::AddPic1, {queue_.FileName(0)})
                                : FormattedText(TextKeys::AddPicM, {static_cast<int>(count)}));
    SetVisible(L"buttonAddPic", false);
    SetVisible(L"buttonOCR", true);
    if (auto* button = Find<CButtonUI>(L"buttonOCR")) button->SetForeImage(L"");
}

void CMainFrame::RefreshIdCardSlot(bool front) {
    const std::string& path = front ? idCardFront_ : idCardBack_;
    const bool chosen = !path.empty() && FileExists(Utf8ToWide(path));
    SetVisible(front ? L"IdcardFrontOk" : L"IdcardBackOk", chosen);
    const TextKey& title = chosen  ? TextKeys::AddPic2
                           : front ? TextKeys::LicenseTitleIdcardFront
                                   : TextKeys::LicenseTitleIdcardBack;
    SetText(front ? L"titleIdcardFront" : L"titleIdcardBack", Text(title));
}

void CMainFrame::ResetIdCards() {
    idCardFront_.clear();
    idCardBack_.clear();
    RefreshIdCardSlot(true);
    RefreshIdCardSlot(false);
}

void CMainFrame::ClearQueue() {
    if (RefuseDuringRun() || queue_.Empty()) return;
    queue_.Clear();
    RefreshAddPicturePanel();
}

void CMainFrame::OnBack() {
    if (RunGoing()) {
        ShowMessage(MessageKeys::CannotBack, hwnd_, MB_ICONINFORMATION);
        return;
    }
    if (auto* button = Find<CButtonUI>(L"buttonOCR")) button->SetForeImage(L"");
    const MainPage page = CurrentPage();
    if (page == MainPage::AddPictures) {
        queue_.Clear();
        RefreshAddPicturePanel();
    }
    SelectPage(BackTarget(page, mode_));
    mode_ = WithoutTable(mode_);
    if (mode_ == OcrMode::PictureText) SetVisible(L"xlstip", true);
}

void CMainFrame::OnLeaveResults() {
    if (CurrentPage() == MainPage::BatchResult) {
        if (auto* list = Find<CListUI>(L"listFiles")) list->RemoveAll();
    }
    queue_.Clear();
    if (auto* button = Find<CButtonUI>(L"buttonOCR")) button->SetForeImage(L"");
    SelectPage(ResultExitTarget(mode_));
    if (mode_ == OcrMode::IdCard) {
        ResetIdCards();
        SetVisible(L"buttonAddPic", false);
        SetVisible(L"buttonOCR", true);
        SetVisible(L"Back", true);
        SetEnabled(L"buttonOCR", true);
    }
    RefreshAddPicturePanel();
    mode_ = WithoutTable(mode_);
}

void CMainFrame::SetTableHint(bool shown) {
    auto* button = Find<CButtonUI>(L"buttonOCR");
    if (!button || shown == tableHintShown_) return;
    if (shown && !(mode_ == OcrMode::PictureText && button->IsVisible() && button->IsEnabled()))
        return;
    tableHintShown_ = shown;
    button->SetForeImage(shown ? kTableOverlay : L"");
    // Every press of Tab: traced for a debugger, not kept in the program's log.
    if (shown)
        DebugTrace(L"[pimloOCR] xls enable. %x", GetKeyState(VK_TAB));
    else
        DebugTrace(L"[pimloOCR] xls disable.");
}
