#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "scan/TwainTypes.h"
#include "ui/dialogs/DialogWindow.h"

// "选择扫描仪或数码相机" ("dlg_selectDSM.xml"): the sources the TWAIN manager
// listed, by product name (rows "DSMItem0", "DSMItem1", ...), the first one
// chosen; "确定" confirms the row chosen, "取消" and the cross choose nothing.
class CSelectDSMDlg : public CDialogWindow {
public:
    // Writes the confirmed source to choice; it stays empty otherwise.
    CSelectDSMDlg(const std::vector<TW_IDENTITY>& sources, std::optional<TW_IDENTITY>& choice);

private:
    const std::vector<TW_IDENTITY>& sources_;
    std::optional<TW_IDENTITY>& choice_;

    void OnWindowInit() override;
    void OnClick(const std::wstring& name) override;
};

// Shows the choice over owner until it closes: the source the user
// confirmed, or none.
std::optional<TW_IDENTITY> ChooseScanSource(HWND owner, const std::vector<TW_IDENTITY>& sources);
