#include "ui/dialogs/SelectDSMDlg.h"

#include "app/ShowMessage.h"
#include "scan/Twain.h"
#include "ui/dialogs/ThinScrollBar.h"

namespace {

// Row heights: at 200 % the rows are drawn taller than the scale alone makes them.
constexpr int kRowHeight = 34;
constexpr int kRowHeightAt200 = 60;
constexpr RECT kRowTextPadding = {12, 0, 12, 0};

}  // namespace

CSelectDSMDlg::CSelectDSMDlg(const std::vector<TW_IDENTITY>& sources,
                             std::optional<TW_IDENTITY>& choice)
    : CDialogWindow(L"dlg_selectDSM.xml"), sources_(sources), choice_(choice) {
    choice_.reset();
}

void CSelectDSMDlg::OnWindowInit() {
    auto* list = Find<CListUI>(L"DSMList");
    if (!list) return;
    StyleThinScrollBar(list->GetVerticalScrollBar());
    const int height = CDPI::GetMainMonitorDPI() >= 192 ? kRowHeightAt200 : kRowHeight;
    for (size_t index = 0; index < sources_.size(); ++index) {
        auto* row = new CListLabelElementUI();
        row->SetName((L"DSMItem" + std::to_wstring(index)).c_str());
        row->SetText(ProductNameOf(sources_[index]).c_str());
        row->SetFixedHeight(height);
        row->SetTextPadding(kRowTextPadding);
        list->Add(row);
    }
    list->SelectItem(0, false);
}

void CSelectDSMDlg::OnClick(const std::wstring& name) {
    if (name == L"btnClose") return CloseDialog();
    if (name != L"btnYes") return;
    auto* list = Find<CListUI>(L"DSMList");
    const int chosen = list ? list->GetCurSel() : -1;
    if (chosen < 0) {
        ShowMessage(MessageKeys::SelectDSM, GetHWND(), MB_ICONINFORMATION);
        return;
    }
    if (static_cast<size_t>(chosen) < sources_.size()) choice_ = sources_[chosen];
    CloseDialog();
}

std::optional<TW_IDENTITY> ChooseScanSource(HWND owner, const std::vector<TW_IDENTITY>& sources) {
    std::optional<TW_IDENTITY> choice;
    (new CSelectDSMDlg(sources, choice))->OpenModal(owner);
    return choice;
}
