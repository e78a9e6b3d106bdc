// What the main window does at every start, once it is made:
//  1. an installer downloaded earlier and still wanted is offered, and the
//     program ends whatever the answer (the installer replaces it);
//  2. without a stored machine code the program runs itself elevated to make
//     one (the reports from then on carry it), and a user who refuses the
//     elevation ends the program;
//  3. once a day, the silent check sends its reports and looks for a new
//     version.
// And the check the user asks for from the main menu.
#include "app/AppSettings.h"
#include "app/ProductRegistry.h"
#include "common/StringConversion.h"
#include "services/MachineCodeStore.h"
#include "services/ReportClient.h"
#include "services/Updater.h"
#include "ui/MainFrame.h"

namespace {

constexpr UINT kProgramIcon = 128;

}  // namespace

void CMainFrame::RunStartUpSteps() {
    CUpdate& update = CurrentUpdate();
    if (update.HasPendingInstaller()) {
        update.OfferInstaller(hwnd_);
        ::ShowWindow(hwnd_, SW_MINIMIZE);
        Close();
        return;
    }
    const ProductRegistry registry;
    if (registry.MachineCode().empty()) {
        if (!RequestElevatedMachineCode()) {
            ::ShowWindow(hwnd_, SW_MINIMIZE);
            Close();
            return;
        }
        CurrentReportClient().SetMachineCode(WideToAnsi(registry.MachineCode()));
    }
    if (update.IsChecking()) return;
    update.StartDailyCheck(CurrentSettings().Get(Setting::CanUpdate) != 0);
}

void CMainFrame::CheckForUpdateNow() {
    CurrentUpdate().StartInteractiveCheck(
        hwnd_, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon)));
}
